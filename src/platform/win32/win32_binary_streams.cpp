// win32_binary_streams.cpp: standard input, output and error carry bytes as
// they are written, for Windows console programs whose output is data
// (bmp2ppm's picture) or read by scripts. The C runtime opens them in text
// mode, which turns every "\n" into "\r\n"; this runs before main and turns
// that off, as the runtime's own set-up does for its streams.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

struct BinaryStreams {
  BinaryStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }
};

BinaryStreams binaryStreams;

}  // namespace
