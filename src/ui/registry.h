// Reading one value of the system registry as text. The registry itself sits behind RegistryApi,
// shaped like the platform's open/query/close calls, so the reading rules can be checked against
// a fake one; a machine without a registry uses NoRegistry, which finds no key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

// Value types as the registry reports them.
inline constexpr std::uint32_t kRegSz = 1;     // a NUL-terminated string
inline constexpr std::uint32_t kRegDword = 4;  // a 32-bit little-endian number

// Read control plus query, set, create-subkey, enumerate, notify and create-link rights.
inline constexpr std::uint32_t kKeyAllAccess = 0x2003F;
// Size of the buffer a value is read into, in characters.
inline constexpr std::uint32_t kValueBufferSize = 1024;

class RegistryApi {
 public:
  using Key = std::uintptr_t;
  virtual ~RegistryApi() = default;
  // Opens a key under a root; true with the key's handle on success.
  virtual bool Open_Key(RegistryRoot root, std::string_view sub_key, std::uint32_t access,
                        Key* key) = 0;
  // Reads a value into data (capacity *size bytes); on success *type is the value's type and
  // *size the number of bytes stored.
  virtual bool Query_Value(Key key, std::string_view value_name, std::uint32_t* type, char* data,
                           std::uint32_t* size) = 0;
  virtual void Close_Key(Key key) = 0;
};

// The registry of a system that has none: no key can be opened.
class NoRegistry final : public RegistryApi {
 public:
  bool Open_Key(RegistryRoot, std::string_view, std::uint32_t, Key*) override { return false; }
  bool Query_Value(Key, std::string_view, std::uint32_t*, char*, std::uint32_t*) override {
    return false;
  }
  void Close_Key(Key) override {}
};

// Reads one value as text: a string without its terminating NUL, a 32-bit number as signed
// decimal; a value of any other type leaves *value as the caller passed it. False, with *value
// emptied, when the key or the value cannot be read.
bool GetKeyValue(RegistryApi& registry, RegistryRoot root, std::string_view key_name,
                 std::string_view value_name, std::string* value);

}  // namespace corvane
