#include "cli/args.h"

#include <algorithm>
#include <array>

#include "hardware/system_port.h"
#include "text/words.h"

namespace corvane {

namespace {

struct StepRule {
  std::string_view name;
  std::vector<std::string_view> choices;  // empty: free argument (when takes_arg)
  bool takes_arg;
};

const std::vector<StepRule>& Step_Rules() {
  static const std::vector<StepRule> rules = {
      {"load", {}, true},
      {"save", {}, true},
      {"device", {}, true},
      {"program", {}, false},
      {"read", {}, false},
      {"verify", {}, false},
      {"erase", {}, false},
      {"program-eeprom", {}, false},
      {"read-eeprom", {}, false},
      {"erase-eeprom", {}, false},
      {"program-fuses", {}, false},
      {"check-fuses", {}, false},
      {"device-id", {}, false},
      {"find-port", {}, false},
      {"reset", {}, false},
      {"blank-check", {}, false},
      {"checksum", {}, false},
      {"dump", {}, false},
      {"chips", {}, false},
      {"board-test", {}, false},
      {"osc", {"LP", "XT", "HS", "RC"}, true},
      {"wdt", {"on", "off"}, true},
      {"pwrt", {"on", "off"}, true},
      {"bod", {"on", "off"}, true},
      {"vdd", {"on", "off", "grey"}, true},
      {"auto", {"on", "off", "grey"}, true},
      {"speed", {"low", "normal", "fast"}, true},
      {"config", {}, true},
  };
  return rules;
}

std::string Join(const std::vector<std::string_view>& words) {
  std::string s;
  for (auto w : words) s += (s.empty() ? "" : "|") + std::string(w);
  return s;
}

}  // namespace

bool Parse_Cli_Args(const std::vector<std::string_view>& args, CliOptions* out,
                    std::string* error) {
  CliOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&](std::string_view option, std::string* into) {
      if (i + 1 >= args.size()) {
        *error = "option " + std::string(option) + " needs a value";
        return false;
      }
      *into = std::string(args[++i]);
      return true;
    };
    // The chip is looked up once the user's chips are read.
    auto expect = [&](std::string_view chip) {
      if (chip.empty()) {
        *error = "--expect needs a chip";
        return false;
      }
      o.expect = std::string(chip);
      return true;
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "--expect") {
      std::string chip;
      if (!value(a, &chip) || !expect(chip)) return false;
    } else if (a.rfind("--expect=", 0) == 0) {
      if (!expect(a.substr(9))) return false;
    } else if (a == "--status" || a == "-v" || a == "--verbose") {
      o.status = true;
    } else if (a == "-q" || a == "--quiet") {
      o.quiet = true;
    } else if (a == "--board") {
      if (!value(a, &o.board)) return false;
    } else if (a.rfind("--board=", 0) == 0) {
      o.board = std::string(a.substr(8));
    } else if (a == "--chips") {
      if (!value(a, &o.chips)) return false;
    } else if (a.rfind("--chips=", 0) == 0) {
      o.chips = std::string(a.substr(8));
    } else if (a == "--trace") {
      if (!value(a, &o.trace)) return false;
    } else if (a.rfind("--trace=", 0) == 0) {
      o.trace = std::string(a.substr(8));
    } else if (a.size() > 1 && a[0] == '-') {
      *error = "unknown option " + std::string(a);
      return false;
    } else {
      const auto& rules = Step_Rules();
      auto rule =
          std::find_if(rules.begin(), rules.end(), [&](const StepRule& r) { return r.name == a; });
      if (rule == rules.end()) {
        *error = "unknown step " + std::string(a);
        return false;
      }
      Step step{std::string(a), ""};
      if (rule->takes_arg) {
        if (i + 1 >= args.size()) {
          *error = "step " + std::string(a) + " needs " +
                   (rule->choices.empty() ? std::string("an argument") : Join(rule->choices));
          return false;
        }
        step.arg = std::string(args[++i]);
        if (!rule->choices.empty()) {
          // A setting takes its value in any case ("osc hs", "wdt ON") and keeps the listed one.
          auto choice =
              std::find_if(rule->choices.begin(), rule->choices.end(),
                           [&](std::string_view c) { return Same_Ignoring_Case(c, step.arg); });
          if (choice == rule->choices.end()) {
            *error =
                "step " + std::string(a) + " takes " + Join(rule->choices) + ", not " + step.arg;
            return false;
          }
          step.arg = std::string(*choice);
        }
        if (step.arg.empty()) {
          *error = "step " + std::string(a) + " needs a non-empty argument";
          return false;
        }
        // The field and its value are the chip's: checked once the chip is known.
        const std::size_t equals = step.arg.find('=');
        if (step.name == "config" &&
            (equals == 0 || equals == std::string::npos || equals + 1 == step.arg.size())) {
          *error = "step config takes NAME=VALUE (e.g. config FOSC=XT), not " + step.arg;
          return false;
        }
      }
      o.steps.push_back(std::move(step));
    }
  }
  if (o.quiet && o.status) {
    *error = "-q (--quiet) and -v (--verbose, --status) cannot be used together";
    return false;
  }
  *out = std::move(o);
  return true;
}

std::string Cli_Usage() {
  return R"(Usage: corvane-cli [--board SPEC] [--trace FILE] [-q | -v] [--chips FILE] [--expect CHIP]
                   STEP...

Programs PIC16F84 and 16F84A, 16F87x and 16F87xA, 16F627A/628A/648A and 16F87/88 and 16F818/819
chips (the step chips lists them) through a programmer board on the parallel port, without a
window. It starts up as the window does (delay calibration, port
discovery, chip identification) and then runs each STEP in order as the window's own command.

Options:
)" + System_Port_Help() +
         R"(                  board=NAME|FILE names the board's wiring: a built-in board (brannock,
                  tessel, tait, p16pro40), one in the user's boards folder (boards/*.board in
                  the configuration folder: ~/.config/Corvane on Linux, %APPDATA%\Corvane on
                  Windows), or a FILE.board; without it, discovery tells the Brannock and
                  Tessel boards apart
  --board sim[:key=value,...]
                  the simulated programmer board:
                    board=NAME|FILE  wired as that board (default brannock)
                    chip=NAME|none  the chip in the socket (default 16f84a): 16f84, 16f84a,
                                16f870 to 16f877, 16f873a to 16f877a, 16f627a, 16f628a,
                                16f648a, 16f87, 16f88, 16f818 or 16f819
                    port=lpt1|lpt2               (default lpt1)
                    time=virtual|real            (default virtual)
                    state=FILE  the chip's contents (the layout of "save"), loaded at start when
                                the file exists and written back at exit; one run at a time
                    fault=data-low|data-high|lost:N|stuck-word:ADDR   (may be repeated)
                                rehearses a failure: the data line stuck low or high, the board
                                gone after N port accesses, the word at ADDR (hexadecimal: a
                                program address, 2000-2003 or 2007) that no write changes
                    run=inputs|outputs  what the chip's own program does with RB6/RB7 while
                                it runs out of programming mode (default inputs; outputs
                                drives both high)
  --trace FILE    writes every port access: "TIME_US R|W ADDRESS BYTE", e.g. "1500 W 378 2A";
                  a FILE ending in .vcd gets a value-change dump of Vdd, Vpp, clock, data out
                  and data in of the programmer in use instead. FILE may not be a file that a
                  step loads or saves, nor the state file
  --chips FILE    chips to know besides the built-in ones and those of the user's chips folder
                  (chips/*.chips in the configuration folder), in the chip table's format; an
                  entry naming a chip or an identification already known is refused
  --expect CHIP   refuses every board step unless the identification word names CHIP: any
                  chip of the table (see the step chips), e.g. 16f877 or PIC16F877. A word of
                  0x3FFF, what a PIC16F84 and an empty socket both read, matches 16f84 alone,
                  with a warning
  --status        also prints every status-panel change to stderr as "[Key] text"
  -v, --verbose   the same as --status: the log and every status change
  -q, --quiet     prints only what failed: the message boxes and the failing step's summary
                  on stderr (no log, no status panels, no progress, no speed hint)
  --version       prints the program's name and version
  -h, --help      this text

Commands (as the window's buttons):
  load FILE       LOAD File with FILE chosen
  load -          LOAD File, cancelled
  program         PROGRAM Device
  verify          VERIFY
  read            Read Device
  erase           ERASE Device
  program-eeprom  PROGRAM EEPROM
  read-eeprom     READ EEPROM
  erase-eeprom    ERASE EEPROM
  program-fuses   PROGRAM Fuses
  check-fuses     CHECK Device Fuses
  device-id       CHECK Device Id
  find-port       Find_Port
  reset           RESET PIC (Tessel board)
  board-test      the board test, with no chip in the socket: sets one line at a time and
                  says what to measure on the socket; answer each on the standard input (Enter
                  when the meter reads so, n when it does not, q to stop); reads the data line
                  back; ends with the lines at rest and a summary. The simulated board measures
                  for itself. Runs also when discovery found no board (on LPT1 then)
  save FILE       reads the whole chip (program memory, IDs, configuration word, EEPROM)
                  into an INHX8M file; "save -" writes it to stdout (the log then goes to
                  stderr). The file is checked first: one that cannot be written costs no read
  blank-check     reads the whole chip and logs "Device is blank", or the first addresses
                  that are not (EEPROM from 2100) and their count; fails when not blank
  checksum        logs the checksums of the loaded file and of the chip as last read, as
                  IDEs show them: the 16-bit sum of the program words plus the masked
                  configuration word (the chip's needs a whole read: save or blank-check)
  dump            prints the memory view: program memory, configuration area and EEPROM of
                  the file beside the chip as last read, 8 words a row in hexadecimal and
                  ASCII, '*' after a chip word that differs from the file's
  chips           lists the chips known: the name --expect takes, the name shown, the
                  identification word and its mask, the memories, the configuration words, the
                  family and where the entry comes from; needs no board when it is the only step

Settings (values in any case; the handler runs only when the state changes):
  osc LP|XT|HS|RC   the oscillator
  wdt on|off        the watchdog timer
  pwrt on|off       the power-up timer
  bod on|off        brown-out detect
  vdd on|off|grey   "Vdd Enable"
  auto on|off|grey  "Automatic File Update"
  speed low|normal|fast
                    "Low Speed" (low), or "Fast programming" (fast: the datasheet timings with
                    a margin), or neither
  config NAME=VALUE sets a named field of the configuration words of the chip identified (else
                    of the one the device box shows), as the chips step lists them, e.g.
                    config FOSC=INTOSCIO config MCLRE=OFF (in any case), CONFIG2's too on a
                    16F87/88 (config IESO=OFF); a field or value the chip lacks is a usage
                    error naming what it has
  device NAME       sets the device box (e.g. PIC16f877): how the next load normalises the
                    configuration word, until the next identification

Output: the log on stdout. A step that writes nothing to the log (device-id, check-fuses, erase,
a setting, ...) prints after it the status panels it changed, as "[Key] text", on stdout. Every
message box goes to stderr as "corvane-cli: TEXT"; a failing device step ends its log with a
summary line ("PROGRAM failed: 1024 words not written; is a chip in the socket?") and with a
one-line summary "corvane-cli: STEP: what went wrong" on stderr. On the simulated board, a step that broke a
datasheet timing fails after "corvane-cli: simulated chip: N timing violations, first: TEXT".
On a terminal, a step expected to take more than a minute at the normal or low speed first says
on stderr how long it takes and how long "speed fast" would take, e.g. "corvane-cli: this takes
about 68 min at normal speed; `speed fast` takes about 1 min 36 s".

Exit status:
  0  every step ran cleanly
  1  a step failed (a message box other than "erreur de fichier", verify differences or a
     configuration mismatch, programming cancelled, timing violations on the simulated
     board); later steps are not run. Also when the trace, the state file or the log on the
     standard output could not be written ("corvane-cli: trace FILE: REASON"), and when the
     state file is in use by another program ("corvane-cli: FILE is in use by another
     program"; nothing was done)
  2  usage error (also a state file that cannot be examined), or no step given; nothing was
     done
  3  a step was refused (its button is disabled, no board was found, or --expect names another
     chip); later steps are not run
  128+N  stopped by signal N (Ctrl+C: 130, SIGTERM: 143) or, on Windows, by Ctrl+C (130) or the
     console closing (143): the operation stops at its next port access or wait (a load from a
     pipe or the terminal too), Vpp is removed, the trace and the simulated chip's state are
     written as they stand; further signals meanwhile are ignored
)";
}

}  // namespace corvane
