// The text of a "--board lpt" option, as every system's port backend reads it: "lpt" (both ports
// chosen automatically) or "lpt:lpt1=VALUE,lpt2=VALUE" (either part optional, keys in any case).
// What a VALUE is (a device path, an I/O address) is the backend's own business.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "hardware/parport_map.h"

namespace corvane {

// Checks one port's value ("lpt1" or "lpt2", as given): returns the reason it is refused, or ""
// and puts the value to keep in *kept.
using LptValueCheck =
    std::function<std::string(const std::string& key, std::string_view value, std::string* kept)>;

// Reads the option text into *out. `value_name` names the value in the messages ("DEVICE",
// "ADDRESS"). On a malformed text, or a value the check refuses, leaves *out alone, puts a
// one-line reason in *error ("invalid port option 'TEXT': WHY") and returns false.
bool Parse_Lpt_Option(std::string_view spec, std::string_view value_name,
                      const LptValueCheck& check, LptSpec* out, std::string* error);

// The message of a refused option, in the same words.
bool Lpt_Option_Failure(std::string* error, std::string_view spec, const std::string& why);

}  // namespace corvane
