#include "files/block_difference.h"

#include "files/field_text.h"

namespace kx14::cli {

std::vector<std::string> DifferingFields(const BlockBytes& a, const BlockBytes& b) {
  std::vector<std::string> names;
  for (const BlockField& field : BlockFields()) {
    if (FieldValue(a, field) != FieldValue(b, field)) names.emplace_back(field.name);
  }
  if (names.empty()) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i] != b[i]) names.push_back("byte " + std::to_string(i));
    }
  }
  return names;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

std::vector<FieldChange> FieldChanges(const BlockBytes& from, const BlockBytes& to) {
  std::vector<FieldChange> changes;
  for (const BlockField& field : BlockFields()) {
    if (FieldValue(from, field) != FieldValue(to, field)) {
      changes.push_back({&field, FieldText(from, field), FieldText(to, field)});
    }
  }
  return changes;
}

std::string ChangesText(const BlockBytes& from, const BlockBytes& to) {
  const std::vector<FieldChange> changes = FieldChanges(from, to);
  if (changes.empty()) return from == to ? "" : JoinNames(DifferingFields(from, to));
  std::vector<std::string> parts;
  for (const FieldChange& c : changes)
    parts.push_back(std::string(c.field->name) + " " + c.from + " -> " + c.to);
  return JoinNames(parts);
}

}  // namespace kx14::cli
