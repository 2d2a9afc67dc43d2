#include "ui/registry.h"

#include <algorithm>

namespace corvane {

bool GetKeyValue(RegistryApi& registry, RegistryRoot root, std::string_view key_name,
                 std::string_view value_name, std::string* value) {
  RegistryApi::Key key = 0;
  if (!registry.Open_Key(root, key_name, kKeyAllAccess, &key)) {
    value->clear();
    return false;
  }
  std::string buffer(kValueBufferSize, '\0');
  std::uint32_t type = 0;
  std::uint32_t size = kValueBufferSize;
  if (!registry.Query_Value(key, value_name, &type, buffer.data(), &size)) {
    registry.Close_Key(key);
    value->clear();
    return false;
  }
  // A registry that claims more bytes than the buffer holds cannot have stored them all.
  size = std::min(size, kValueBufferSize);
  std::string text = buffer.substr(0, size);
  if (!text.empty() && text.back() == '\0') text.pop_back();  // the string's terminator

  if (type == kRegSz) {
    *value = text;
  } else if (type == kRegDword) {
    // Little-endian bytes; a high zero byte taken for a terminator above changes nothing.
    std::uint32_t number = 0;
    for (std::size_t i = std::min<std::size_t>(text.size(), 4); i-- > 0;) {
      number = (number << 8) | static_cast<unsigned char>(text[i]);
    }
    *value = std::to_string(static_cast<std::int32_t>(number));
  }
  registry.Close_Key(key);
  return true;
}

}  // namespace corvane
