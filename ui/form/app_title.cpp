#include "ui/form/app_title.h"

namespace kx14 {

std::string ApplicationTitleFromPath(std::string_view programPath) {
  const std::size_t slash = programPath.find_last_of("/\\");
  std::string_view name =
      slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 0; i < title.size(); ++i) {
    char& c = title[i];
    if (i == 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (i > 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return title;
}

}  // namespace kx14
