// The Intel HEX loader: reads the current file into the memory image, reports it in the log,
// fixes the configuration word for the selected device and brings the fuse controls in line.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "image/memory_image.h"
#include "state/panel.h"
#include "state/working_state.h"

namespace corvane {

// Lines that do not begin with ':' are each reported and skipped; this many end the load.
inline constexpr int kMaxNonRecordLines = 10;

// Why a load stopped. `line` is 0 when the failure belongs to no line (the file could not be
// opened or read); the reason is then the system's ("No such file or directory").
struct LoadFailure {
  bool failed = false;
  int line = 0;
  std::string reason;
};

// The message box text for a failure: "Error while reading file", followed by " : " + reason +
// " at line N" when the failure has a line, or by " : " + file name + ": " + reason when it has
// none.
std::string Load_Failure_Text(const LoadFailure& failure, std::string_view file_name);

// Reads the records of a HEX text into `image`, which the caller has prepared. Shows "erreur de
// fichier" through the panel for every line that is not a record. On failure `image` holds a
// partial load and must be dropped.
LoadFailure Load_Hex_Records(std::istream& in, LoadedImage& image, Panel& panel);

// Loads panel.FileName() into a clean image and, when the whole file was read, puts it into the
// working state, logs the first words and the counts, normalises ConfigWord for panel.Device(),
// shows it in the "Fuses" panel and runs Show_Fuses. On failure shows the reason in a message box
// and leaves the working state as it was. True when the load completed. A file that keeps the
// load waiting (a pipe, a FIFO, a terminal) or never ends is read only until panel.Stop_Pending()
// reports a request to stop; Interrupted is then thrown, nothing having changed.
bool Read_File(WorkingState& st, Panel& panel);

}  // namespace corvane
