#pragma once

// kx14ctl's JSON documents, built and read with nlohmann/json. Members keep
// the order they are added in.

#include <nlohmann/json.hpp>
#include <string>

namespace kx14::cli {

using Json = nlohmann::ordered_json;

// The document as text: indented by two spaces a level (compact for
// indent -1), with a final newline. Bytes that are not UTF-8, such as a port
// name taken from a directory entry, become U+FFFD, so the output is always
// valid JSON.
inline std::string JsonText(const Json& document, int indent = 2) {
  return document.dump(indent, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace kx14::cli
