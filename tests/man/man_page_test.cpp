// The manual pages: how a --help text becomes roff, and the built pages against the programs'
// current --help (every step and option there must be in the page) and groff's warnings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "cli/args.h"
#include "man/help_to_roff.h"
#include "support/command_run.h"

namespace corvane::man {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The page's text as a reader sees it: no font changes, plain hyphens and backslashes.
std::string Plain(const std::string& roff) {
  std::string s = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
  s = std::regex_replace(s, std::regex(R"(\\&)"), "");
  s = std::regex_replace(s, std::regex(R"(\\-)"), "-");
  return std::regex_replace(s, std::regex(R"(\\e)"), "\\");
}

// What the help text offers: its options ("--board", "-h") and the entries that start with a
// lower-case word (the console program's steps and settings: "load", "osc").
std::set<std::string> Offered(const std::string& help) {
  std::set<std::string> words;
  const std::regex option(R"((^|[\s\[,|(])(--?[a-zA-Z][a-zA-Z0-9-]*))");
  for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it) {
    words.insert((*it)[2]);
  }
  const std::regex entry(R"((^|\n)  ([a-z][a-z-]*)( |\n))");
  for (std::sregex_iterator it(help.begin(), help.end(), entry), end; it != end; ++it) {
    words.insert((*it)[2]);
  }
  return words;
}

// The words of the help text that the page lacks: an option anywhere in its text, a step as the
// first word of an entry's tag.
std::vector<std::string> Missing(const std::string& help, const std::string& roff) {
  const std::string text = Plain(roff);
  std::set<std::string> tags;
  const std::regex tag(R"(\.TP\n([^ \n]+))");
  for (std::sregex_iterator it(text.begin(), text.end(), tag), end; it != end; ++it) {
    tags.insert((*it)[1]);
  }
  std::vector<std::string> missing;
  for (const std::string& word : Offered(help)) {
    const bool found =
        word[0] == '-' ? std::regex_search(text, std::regex("(^|[^a-z-])" + word + "($|[^a-z-])"))
                       : tags.count(word) != 0;
    if (!found) missing.push_back(word);
  }
  return missing;
}

const char kHelp[] = R"(Usage: tool [--fast] STEP...

Does things to a chip.
.dot and \backslash.

Options:
  --fast          goes fast; the description goes on
                  on this line
  --board sim[:key=value]
                  the simulated board:
                    chip=a|b      (default a)
                    state=FILE    kept
                                  across runs
  -h, --help      this text

Steps (in order):
  load FILE       loads FILE
  program         programs
Output: the log
on stdout.

Exit status:
  0  clean
)";

TEST(HelpToRoffTest, SectionsEntriesAndKeptLines) {
  const std::string roff = Help_To_Roff(kHelp, {"do things", "tool 2.0.1", ".SH SEE ALSO\nx\n"});
  EXPECT_EQ(roff.rfind(".TH TOOL 1 \"\" \"tool 2.0.1\" \"User Commands\"\n.SH NAME\ntool \\- do "
                       "things\n.SH SYNOPSIS\n.B tool\n[\\-\\-fast] STEP...\n"
                       ".SH DESCRIPTION\n.PP\nDoes things to a chip.\n\\&.dot and \\ebackslash.\n",
                       0),
            0u)
      << roff;
  EXPECT_NE(roff.find(".SH OPTIONS\n.TP\n\\fB\\-\\-fast\\fR\ngoes fast; the description goes on\n"
                      "on this line\n"),
            std::string::npos)
      << roff;
  // The keys under an entry keep their lines and their depth.
  EXPECT_NE(roff.find("the simulated board:\n.RS\n.nf\n  chip=a|b      (default a)\n"
                      "  state=FILE    kept\n                across runs\n.fi\n.RE\n.TP\n"
                      "\\fB\\-h, \\-\\-help\\fR\nthis text\n"),
            std::string::npos)
      << roff;
  EXPECT_NE(roff.find(".SH STEPS\nIn order.\n.TP\n\\fBload FILE\\fR\nloads FILE\n.TP\n"
                      "\\fBprogram\\fR\nprograms\n.SH OUTPUT\nThe log\non stdout.\n"),
            std::string::npos)
      << roff;
  EXPECT_NE(roff.find(".SH EXIT STATUS\n.TP\n\\fB0\\fR\nclean\n.SH SEE ALSO\nx\n"),
            std::string::npos)
      << roff;
}

TEST(HelpToRoffTest, EntriesRightAfterTheDescriptionAreTheOptions) {
  const std::string roff =
      Help_To_Roff("Usage: w [--x]\n\nOpens a window: the main one.\n\n  --x   an option\n", {});
  EXPECT_NE(roff.find(".SH DESCRIPTION\n.PP\nOpens a window: the main one.\n.SH OPTIONS\n.TP\n"),
            std::string::npos)
      << roff;
}

TEST(HelpToRoffTest, AUsageOnSeveralLinesIsOneSynopsis) {
  const std::string roff = Help_To_Roff(
      "Usage: w [--x] [--y FILE]\n         [FILE.hex]\n\nOpens a window.\n\n  --x   an option\n",
      {});
  EXPECT_NE(roff.find(".SH SYNOPSIS\n.B w\n[\\-\\-x] [\\-\\-y FILE] [FILE.hex]\n"
                      ".SH DESCRIPTION\n.PP\nOpens a window.\n.SH OPTIONS\n.TP\n"),
            std::string::npos)
      << roff;
}

TEST(HelpToRoffTest, TheCheckFindsAStepOrOptionMissingFromAPage) {
  const std::string roff = Help_To_Roff(kHelp, {});
  EXPECT_EQ(Missing(kHelp, roff), std::vector<std::string>{});
  EXPECT_EQ(Offered(kHelp),
            (std::set<std::string>{"--board", "--fast", "--help", "-h", "load", "program"}));
  std::string help = kHelp;
  help.replace(help.find("  program "), 0, "  verify          compares\n");
  help.replace(help.find("  -h,"), 0, "  --slow          goes slowly\n");
  EXPECT_EQ(Missing(help, roff), (std::vector<std::string>{"--slow", "verify"}));
  // A word of the prose is no step.
  std::string prose_only = roff;
  prose_only.replace(prose_only.find(".TP\n\\fBprogram"), 4, ".PP\n");
  EXPECT_EQ(Missing(kHelp, prose_only), std::vector<std::string>{"program"});
}

void Expect_Page_Follows_Help(const std::string& page, const std::string& help) {
  SCOPED_TRACE(page);
  ASSERT_TRUE(std::filesystem::exists(page));
  const std::string roff = Read(page);
  EXPECT_EQ(Missing(help, roff), std::vector<std::string>{});
  // The usage is the synopsis, and the text after it the description.
  const std::size_t synopsis = roff.find(".SH SYNOPSIS\n");
  EXPECT_EQ(roff.find(".SH ", synopsis + 1), roff.find(".SH DESCRIPTION\n")) << roff;
  // man -l shows it without a complaint from groff.
  if (std::system("command -v groff > /dev/null 2>&1") == 0) {
    const CommandRun r = Run_Command("groff -man -Tutf8 -ww -z '" + page + "' 2>&1");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
  }
}

TEST(ManPageTest, TheConsoleProgramsPageHasEveryStepAndOption) {
  const std::string help = Cli_Usage();
  for (const char* step : {"load", "program", "verify", "device-id", "osc", "--expect"}) {
    EXPECT_EQ(Offered(help).count(step), 1u) << step;
  }
  Expect_Page_Follows_Help(CORVANE_MAN_DIR "/corvane-cli.1", help);
}

#ifdef CORVANE_APP_BINARY
TEST(ManPageTest, TheWindowProgramsPageHasEveryOption) {
  const CommandRun r = Run_Command("'" CORVANE_APP_BINARY "' --help");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(Offered(r.out).count("--screenshot"), 1u);
  EXPECT_NE(Read(CORVANE_MAN_DIR "/corvane.1").find(".SH SYNOPSIS\n.B corvane\n"),
            std::string::npos);
  EXPECT_NE(Read(CORVANE_MAN_DIR "/corvane.1").find("[FILE.hex]\n.SH DESCRIPTION\n"),
            std::string::npos);
  Expect_Page_Follows_Help(CORVANE_MAN_DIR "/corvane.1", r.out);
}
#endif

}  // namespace
}  // namespace corvane::man
