#include "chips/chip_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>

#include "text/words.h"

namespace corvane {

namespace {

constexpr int kLargestProgram = 8192;  // the largest chip memory the working state holds
constexpr int kLargestEeprom = 256;
constexpr int kConfigFirst = 0x2000;
constexpr int kConfigLast = 0x20FF;

// A number in the given base, the whole text; false otherwise.
bool Number(std::string_view text, int base, long long* out) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, *out, base);
  return r.ec == std::errc() && r.ptr == end;
}

bool Hex(std::string_view text, long long lowest, long long highest, long long* out) {
  return Number(text, 16, out) && *out >= lowest && *out <= highest;
}

// "8ms", "800us", "6 ms": nanoseconds.
bool Duration(std::string_view text, std::int64_t* ns) {
  text = Trim(text);
  std::int64_t unit = 0;
  if (text.size() > 2 && text.substr(text.size() - 2) == "ms") {
    unit = 1'000'000;
  } else if (text.size() > 2 && text.substr(text.size() - 2) == "us") {
    unit = 1'000;
  } else {
    return false;
  }
  long long n = 0;
  if (!Number(Trim(text.substr(0, text.size() - 2)), 10, &n) || n <= 0 || n > 1'000'000) {
    return false;
  }
  *ns = n * unit;
  return true;
}

bool Valid_Part(std::string_view part) {
  if (part.size() < 5 || part.size() > 20 || part.substr(0, 3) != "PIC") return false;
  return std::all_of(part.begin(), part.end(),
                     [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// "PIC16F628A" -> "PIC16f628A": the family letter after the digits in lower case.
std::string Shown_From_Part(const std::string& part) {
  std::string shown = part;
  std::size_t i = 3;
  while (i < shown.size() && shown[i] >= '0' && shown[i] <= '9') ++i;
  if (i < shown.size())
    shown[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(shown[i])));
  return shown;
}

const std::vector<std::string_view> kKeys = {"shown",  "id",    "words", "eeprom", "user-ids",
                                             "config", "field", "times", "family"};
const std::vector<std::string_view> kRequired = {"id",     "words", "eeprom",
                                                 "config", "times", "family"};

class Reader {
 public:
  Reader(const std::string& origin, std::vector<ChipProblem>* problems)
      : origin_(origin), problems_(problems) {}

  void Begin(std::string part, int line) {
    entry_ = ChipEntry{};
    entry_.part = std::move(part);
    entry_.origin = origin_;
    entry_.line = line;
    seen_.clear();
    bad_ = false;
    field_lines_.clear();
  }

  void Key(std::string_view key, std::string_view value, int line) {
    line_ = line;
    const std::string k = Lower(key);
    if (std::find(kKeys.begin(), kKeys.end(), k) == kKeys.end()) {
      return Problem(k,
                     "unknown key (keys: shown, id, words, eeprom, user-ids, config, field, "
                     "times, family)");
    }
    if (k != "field" && !seen_.insert(k).second) return Problem(k, "given twice");
    if (k == "field") seen_.insert(k);
    if (value.empty()) return Problem(k, "has no value");
    if (k == "shown") return Shown(value);
    if (k == "id") return Id(value);
    if (k == "words") return Count(k, value, kLargestProgram, &entry_.program_words);
    if (k == "eeprom") return Count(k, value, kLargestEeprom, &entry_.eeprom_bytes);
    if (k == "user-ids") return User_Ids(value);
    if (k == "config") return Config(value);
    if (k == "field") {
      field_lines_.push_back(line);
      return Field(value);
    }
    if (k == "times") return Times(value);
    return Family(value);
  }

  // The entry once its section ends, when nothing was wrong with it.
  bool End(ChipEntry* out) {
    line_ = entry_.line;
    for (std::string_view k : kRequired) {
      if (!seen_.count(std::string(k))) Problem(std::string(k), "missing");
    }
    if (entry_.shown.empty()) entry_.shown = Shown_From_Part(entry_.part);
    entry_.key = Lower(std::string_view(entry_.part).substr(3));
    for (std::size_t i = 0; i < entry_.fields.size(); ++i) Check_Field(i);
    if (bad_) return false;
    *out = std::move(entry_);
    return true;
  }

 private:
  void Problem(const std::string& field, const std::string& reason) {
    problems_->push_back({origin_, line_, field, reason});
    bad_ = true;
  }

  void Shown(std::string_view value) {
    if (value.size() > 20 || value.find_first_of(" \t") != std::string_view::npos) {
      return Problem("shown",
                     "'" + std::string(value) + "' is not a name of one word (at most 20)");
    }
    entry_.shown = std::string(value);
  }

  void Id(std::string_view value) {
    const auto slash = value.find('/');
    long long id = 0;
    long long mask = 0;
    if (slash == std::string_view::npos || !Hex(Trim(value.substr(0, slash)), 0, 0x3FFF, &id) ||
        !Hex(Trim(value.substr(slash + 1)), 1, 0x3FFF, &mask)) {
      return Problem("id", "'" + std::string(value) +
                               "' is not WORD/MASK in hexadecimal up to 3FFF (e.g. 09A0/3FE0)");
    }
    if ((id & ~mask) != 0) return Problem("id", "the word has bits outside its mask");
    entry_.id = static_cast<std::int32_t>(id);
    entry_.id_mask = static_cast<std::int32_t>(mask);
  }

  void Count(const std::string& key, std::string_view value, int largest, int* into) {
    long long n = 0;
    if (!Number(value, 10, &n) || n < 0 || n > largest) {
      return Problem(
          key, "'" + std::string(value) + "' is not a number from 0 to " + std::to_string(largest));
    }
    *into = static_cast<int>(n);
  }

  void User_Ids(std::string_view value) {
    long long a = 0;
    if (!Hex(value, kConfigFirst, kConfigLast - 3, &a)) {
      return Problem("user-ids",
                     "'" + std::string(value) + "' is not an address from 2000 to 20FC");
    }
    entry_.user_id_address = static_cast<int>(a);
  }

  void Config(std::string_view value) {
    for (std::string_view w : Words(value)) {
      const auto slash = w.find('/');
      long long a = 0;
      long long mask = 0;
      if (slash == std::string_view::npos ||
          !Hex(w.substr(0, slash), kConfigFirst, kConfigLast, &a) ||
          !Hex(w.substr(slash + 1), 1, 0x3FFF, &mask)) {
        return Problem("config", "'" + std::string(w) +
                                     "' is not ADDRESS/MASK in hexadecimal (e.g. 2007/3BFF)");
      }
      if (std::count(entry_.config_addresses.begin(), entry_.config_addresses.end(), a)) {
        return Problem("config", "address " + std::string(w.substr(0, slash)) + " given twice");
      }
      entry_.config_addresses.push_back(static_cast<int>(a));
      entry_.config_masks.push_back(static_cast<std::uint16_t>(mask));
    }
  }

  // "FOSC 0003 LP=0 XT=1 HS=2 RC=3", "2008:FCMEN 0001 OFF=0 ON=1"
  void Field(std::string_view value) {
    const std::vector<std::string_view> w = Words(value);
    ConfigField f;
    f.address = -1;  // the first configuration word
    std::string_view name = w[0];
    if (const auto colon = name.find(':'); colon != std::string_view::npos) {
      long long a = 0;
      if (!Hex(name.substr(0, colon), kConfigFirst, kConfigLast, &a)) {
        return Problem("field", "'" + std::string(name) + "': the address before ':' is not one");
      }
      f.address = static_cast<int>(a);
      name = name.substr(colon + 1);
    }
    f.name = std::string(name);
    long long mask = 0;
    if (f.name.empty() || w.size() < 3 || !Hex(w[1], 1, 0x3FFF, &mask)) {
      return Problem("field", "'" + std::string(value) +
                                  "' is not [ADDRESS:]NAME MASK VALUE=BITS... (e.g. WDTE 0004 "
                                  "OFF=0 ON=4)");
    }
    f.mask = static_cast<std::uint16_t>(mask);
    for (std::size_t i = 2; i < w.size(); ++i) {
      const auto eq = w[i].find('=');
      long long bits = 0;
      if (eq == std::string_view::npos || eq == 0 || !Hex(w[i].substr(eq + 1), 0, 0x3FFF, &bits)) {
        return Problem("field", f.name + ": '" + std::string(w[i]) + "' is not VALUE=BITS");
      }
      if ((bits & ~mask) != 0) {
        return Problem("field", f.name + ": " + std::string(w[i]) + " has bits outside the mask " +
                                    std::string(w[1]));
      }
      const std::string v(w[i].substr(0, eq));
      for (const ConfigValue& seen : f.values) {
        if (seen.name == v) return Problem("field", f.name + ": value " + v + " given twice");
      }
      f.values.push_back({v, static_cast<std::uint16_t>(bits)});
    }
    for (const ConfigField& seen : entry_.fields) {
      if (seen.name == f.name) return Problem("field", f.name + " given twice");
    }
    entry_.fields.push_back(std::move(f));
  }

  // Checked once every key is known: the field's word and its place in it.
  void Check_Field(std::size_t i) {
    ConfigField& f = entry_.fields[i];
    line_ = field_lines_[i];
    if (entry_.config_addresses.empty()) return;
    if (f.address < 0) f.address = entry_.config_addresses.front();
    const std::uint16_t word = entry_.Config_Mask(f.address);
    if (word == 0) return Problem("field", f.name + ": no configuration word at its address");
    if ((f.mask & ~word) != 0) {
      return Problem("field", f.name + ": its mask has bits the configuration word lacks");
    }
    for (std::size_t j = 0; j < i; ++j) {
      const ConfigField& g = entry_.fields[j];
      if (g.address == f.address && (g.mask & f.mask) != 0) {
        return Problem("field", f.name + ": shares bits with " + g.name);
      }
    }
  }

  // "program 8ms, eeprom 8ms, erase 8ms"
  void Times(std::string_view value) {
    const std::vector<std::string_view> w = Words(value);
    std::int64_t* into[] = {&entry_.program_write_ns, &entry_.eeprom_write_ns, &entry_.erase_ns};
    const std::string_view names[] = {"program", "eeprom", "erase"};
    bool given[3] = {false, false, false};
    for (std::size_t i = 0; i + 1 < w.size() + 1; i += 2) {
      if (i + 1 >= w.size()) {
        return Problem("times", "'" + std::string(value) +
                                    "' is not program TIME, eeprom TIME, erase TIME (e.g. 8ms)");
      }
      const auto n = std::find(std::begin(names), std::end(names), w[i]) - std::begin(names);
      if (n == 3)
        return Problem("times", "'" + std::string(w[i]) + "' is not program, eeprom or erase");
      if (!Duration(w[i + 1], into[n])) {
        return Problem("times", std::string(w[i]) + ": '" + std::string(w[i + 1]) +
                                    "' is not a time in ms or us (e.g. 8ms, 800us)");
      }
      given[n] = true;
    }
    for (int n = 0; n < 3; ++n) {
      if (!given[n]) return Problem("times", std::string(names[n]) + " time missing");
    }
  }

  void Family(std::string_view value) {
    const std::string v = Lower(value);
    for (ChipFamily f : {ChipFamily::kF84, ChipFamily::k84A87x, ChipFamily::k87xA,
                         ChipFamily::k62xA, ChipFamily::k88}) {
      if (v == Family_Text(f)) {
        entry_.family = f;
        return;
      }
    }
    Problem("family", "'" + std::string(value) + "' is not f84, 84a-87x, 87xa, 62xa or 88");
  }

  const std::string& origin_;
  std::vector<ChipProblem>* problems_;
  ChipEntry entry_;
  std::set<std::string> seen_;
  std::vector<int> field_lines_;
  bool bad_ = false;
  int line_ = 0;
};

}  // namespace

std::string ChipProblem::Text() const {
  std::string t = origin;
  if (line > 0) t += ":" + std::to_string(line);
  t += ": ";
  if (!field.empty()) t += field + ": ";
  return t + reason;
}

std::string ChipFile::Problems_Text() const {
  std::string t;
  for (const ChipProblem& p : problems) t += (t.empty() ? "" : "\n") + p.Text();
  return t;
}

ChipFile Parse_Chip_Text(std::string_view text, const std::string& origin) {
  ChipFile file;
  Reader reader(origin, &file.problems);
  bool in_section = false;
  auto end_section = [&] {
    ChipEntry entry;
    if (in_section && reader.End(&entry)) file.chips.push_back(std::move(entry));
  };
  int line_number = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? text.npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
    ++line_number;
    if (const auto hash = line.find('#'); hash != std::string_view::npos)
      line = line.substr(0, hash);
    line = Trim(line);
    if (line.empty()) continue;
    if (line.front() == '[') {
      end_section();
      in_section = false;
      const std::string part(Trim(line.substr(1, line.size() - (line.back() == ']' ? 2 : 1))));
      if (line.back() != ']' || !Valid_Part(part)) {
        file.problems.push_back({origin, line_number, "",
                                 "'" + std::string(line) +
                                     "' is not a section [PART] naming a chip in capitals, e.g. "
                                     "[PIC16F628A]"});
        continue;
      }
      reader.Begin(part, line_number);
      in_section = true;
      continue;
    }
    const auto eq = line.find('=');
    if (!in_section || eq == std::string_view::npos) {
      // Lines of a section that could not be read say nothing more.
      if (!in_section && !file.problems.empty() && file.problems.back().line != 0 &&
          eq != std::string_view::npos) {
        continue;
      }
      file.problems.push_back({origin, line_number, "",
                               in_section ? "'" + std::string(line) + "' is not key = value"
                                          : "a key before the first [PART] section"});
      continue;
    }
    reader.Key(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), line_number);
  }
  end_section();
  return file;
}

}  // namespace corvane
