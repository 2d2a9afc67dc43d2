#include "text/words.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

bool Blank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

char Lower_Char(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (Blank(s[i]) || s[i] == ',')) ++i;
    const std::size_t start = i;
    while (i < s.size() && !Blank(s[i]) && s[i] != ',') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

std::string Lower(std::string_view s) {
  std::string l(s);
  for (char& c : l) c = Lower_Char(c);
  return l;
}

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

bool Same_Ignoring_Case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower_Char(x) == Lower_Char(y);
         });
}

bool Ends_With_Ignoring_Case(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && Same_Ignoring_Case(s.substr(s.size() - end.size()), end);
}

}  // namespace corvane
