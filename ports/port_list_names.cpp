#include "ports/port_list_names.h"

#include "ports/port_name_order.h"

namespace kx14 {

PortListNames ListPortNamesByNumber(const PortSources& sources) {
  PortListNames list;
  std::vector<std::string> all = ListComPortNames(sources);
  // A list of one name needs no order, so its name is never converted: it is
  // listed whatever it is called.
  if (all.size() < 2) {
    list.names = std::move(all);
    return list;
  }
  for (std::string& name : all) {
    try {
      PortNameNumber(name);
      list.names.push_back(std::move(name));
    } catch (const EConvertError& error) {
      list.skipped.push_back({std::move(name), error.what()});
    }
  }
  SortPortNames(list.names);  // every name converts now, so this cannot throw
  return list;
}

}  // namespace kx14
