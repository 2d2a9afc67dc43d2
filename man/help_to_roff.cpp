#include "man/help_to_roff.h"

#include <vector>

namespace corvane::man {

namespace {

struct Line {
  int indent = 0;
  std::string_view text;  // without the indentation and trailing blanks
};

std::vector<Line> Split_Lines(std::string_view help) {
  std::vector<Line> lines;
  while (!help.empty()) {
    const std::size_t end = help.find('\n');
    std::string_view raw = help.substr(0, end);
    help.remove_prefix(end == std::string_view::npos ? help.size() : end + 1);
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\r')) raw.remove_suffix(1);
    Line line;
    while (static_cast<std::size_t>(line.indent) < raw.size() && raw[line.indent] == ' ') {
      ++line.indent;
    }
    line.text = raw.substr(line.indent);
    lines.push_back(line);
  }
  return lines;
}

std::string Upper(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return s;
}

bool Is_Upper(char c) {
  return c >= 'A' && c <= 'Z';
}

// "Options:" or "Commands (as the window's buttons):".
bool Is_Header(std::string_view text) {
  return text.size() > 1 && text.size() < 80 && Is_Upper(text[0]) && text.back() == ':' &&
         text.find(": ") == std::string_view::npos;
}

// "Output: text" or "Exit status: text": one or two words, then the paragraph.
std::size_t Lead_Word_End(std::string_view text) {
  const std::size_t colon = text.find(": ");
  if (colon == std::string_view::npos || colon == 0 || !Is_Upper(text[0])) return 0;
  int blanks = 0;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = text[i];
    if (c == ' ') {
      ++blanks;
    } else if (!((c >= 'a' && c <= 'z') || Is_Upper(c))) {
      return 0;
    }
  }
  return blanks <= 1 ? colon : 0;
}

class PageWriter {
 public:
  explicit PageWriter(std::string& out) : out_(out) {}

  void Section(std::string_view name) {
    End_Block();
    section_ = Upper(name);
    out_ += ".SH " + Escape(section_) + "\n";
  }

  void Blank() {
    End_Block();
    item_indent_ = -1;
    in_paragraph_ = false;
  }

  void Paragraph_Line(std::string_view text) {
    End_Verbatim();
    if (!in_paragraph_) {
      if (section_.empty()) Section("Description");
      out_ += ".PP\n";
      in_paragraph_ = true;
      item_indent_ = -1;
    }
    out_ += Escape(text) + "\n";
  }

  // A line that opens a section's text directly after its .SH.
  void Section_Text(std::string_view text) {
    out_ += Escape(text) + "\n";
    in_paragraph_ = true;
    item_indent_ = -1;
  }

  void Indented_Line(const Line& line) {
    if (item_indent_ >= 0 && line.indent > item_indent_) {
      if (desc_column_ < 0) desc_column_ = line.indent;
      if (line.indent > desc_column_) {
        Verbatim_Line(line);
      } else {
        End_Verbatim();
        out_ += Escape(line.text) + "\n";
      }
      return;
    }
    End_Block();
    // Entries straight after the description, under no header of their own, are the options.
    if (section_.empty() || section_ == "DESCRIPTION") Section("Options");
    // "TAG   description": the tag ends at the first run of two blanks.
    const std::size_t gap = line.text.find("  ");
    std::string_view tag = line.text.substr(0, gap);
    out_ += ".TP\n\\fB" + Escape(tag) + "\\fR\n";
    desc_column_ = -1;
    if (gap != std::string_view::npos) {
      const std::size_t start = line.text.find_first_not_of(' ', gap);
      out_ += Escape(line.text.substr(start)) + "\n";
      desc_column_ = line.indent + static_cast<int>(start);
    }
    item_indent_ = line.indent;
    in_paragraph_ = false;
  }

  void End_Block() { End_Verbatim(); }

 private:
  // A line indented deeper than its entry's description, kept as it is, at its depth below the
  // description.
  void Verbatim_Line(const Line& line) {
    if (verbatim_base_ < 0) {
      out_ += ".RS\n.nf\n";
      verbatim_base_ = desc_column_;
    }
    const int extra = line.indent > verbatim_base_ ? line.indent - verbatim_base_ : 0;
    out_ += (extra > 0 ? std::string(static_cast<std::size_t>(extra), ' ') : std::string()) +
            Escape(line.text) + "\n";
  }

  void End_Verbatim() {
    if (verbatim_base_ < 0) return;
    out_ += ".fi\n.RE\n";
    verbatim_base_ = -1;
  }

  std::string& out_;
  std::string section_;
  bool in_paragraph_ = false;
  int item_indent_ = -1;
  int desc_column_ = -1;
  int verbatim_base_ = -1;
};

std::string Capitalised(std::string_view text) {
  std::string s(text);
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

// "(as the window's buttons)" becomes "As the window's buttons."
std::string Note_Sentence(std::string_view note) {
  std::string s = Capitalised(note);
  if (!s.empty() && s.back() != '.') s += '.';
  return s;
}

}  // namespace

std::string Escape(std::string_view text) {
  std::string s;
  s.reserve(text.size() + 8);
  if (!text.empty() && (text[0] == '.' || text[0] == '\'')) s += "\\&";
  for (char c : text) {
    if (c == '\\') {
      s += "\\e";
    } else if (c == '-') {
      s += "\\-";
    } else {
      s += c;
    }
  }
  return s;
}

std::string Help_To_Roff(std::string_view help, const PageInfo& info) {
  const std::vector<Line> lines = Split_Lines(help);
  std::size_t i = 0;
  while (i < lines.size() && lines[i].text.empty()) ++i;
  std::string name = "program";
  std::string args;
  if (i < lines.size() && lines[i].text.rfind("Usage: ", 0) == 0) {
    std::string_view usage = lines[i].text.substr(7);
    const std::size_t blank = usage.find(' ');
    name = std::string(usage.substr(0, blank));
    if (blank != std::string_view::npos) args = std::string(usage.substr(blank + 1));
    ++i;
    // A long usage goes on over indented lines.
    for (; i < lines.size() && lines[i].indent > 0 && !lines[i].text.empty(); ++i) {
      args += (args.empty() ? "" : " ") + std::string(lines[i].text);
    }
  }

  std::string out =
      ".TH " + Escape(Upper(name)) + " 1 \"\" \"" + Escape(info.source) + "\" \"User Commands\"\n";
  out += ".SH NAME\n" + Escape(name) + " \\- " + Escape(info.summary) + "\n";
  out += ".SH SYNOPSIS\n.B " + Escape(name) + "\n" + (args.empty() ? "" : Escape(args) + "\n");

  PageWriter page(out);
  bool paragraph_start = true;
  for (; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.text.empty()) {
      page.Blank();
      paragraph_start = true;
      continue;
    }
    if (line.indent > 0) {
      page.Indented_Line(line);
      paragraph_start = true;  // a line at the margin after an entry begins a paragraph
      continue;
    }
    if (Is_Header(line.text)) {
      std::string_view header = line.text.substr(0, line.text.size() - 1);
      const std::size_t open = header.find(" (");
      page.Blank();
      if (open != std::string_view::npos && header.back() == ')') {
        page.Section(header.substr(0, open));
        page.Section_Text(Note_Sentence(header.substr(open + 2, header.size() - open - 3)));
        page.Blank();
      } else {
        page.Section(header);
      }
      paragraph_start = true;
      continue;
    }
    const std::size_t lead = paragraph_start ? Lead_Word_End(line.text) : 0;
    if (lead != 0) {
      page.Section(line.text.substr(0, lead));
      page.Section_Text(Capitalised(line.text.substr(lead + 2)));
    } else {
      page.Paragraph_Line(line.text);
    }
    paragraph_start = false;
  }
  page.End_Block();
  out += info.extra;
  if (!info.extra.empty() && info.extra.back() != '\n') out += '\n';
  return out;
}

}  // namespace corvane::man
