// Text from outside (file and folder names, metadata, script results) that
// reaches the terminal or the log: a newline in a file name would forge a
// log line, an escape sequence would drive the terminal. Every message and
// every log line passes through here.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Windows-1252 text with its control characters (below 0x20, 0x7F and the
// five bytes Windows-1252 leaves undefined, which become C1 controls on a
// UTF-8 terminal) written as "\x1B". With `keep_line_breaks` the CR LF pairs
// of a formatted message stay.
std::string EscapeControlCharacters(std::string_view text, bool keep_line_breaks = false);

}  // namespace velmora
