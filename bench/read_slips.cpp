// Reads JSON Lines slips as quorvel-settle does, on one thread, and only reads them: no
// settling and no answers. The floor of the tool's speed on the same file.
//
//   quorvel-read-slips FILE     prints: lines read, slips accepted

#include <cstdio>

#include "cli/json_lines.h"
#include "cli/json_slip.h"
#include "cli/system_io.h"

int main(int argc, char** argv) {
    using namespace quorvel::cli;
    if (argc != 2) {
        std::fputs("usage: quorvel-read-slips FILE\n", stderr);
        return 2;
    }
    InputFile file;
    if (!file.open(argv[1])) {
        std::perror(argv[1]);
        return 1;
    }
    const JsonInput input{file.name(), [&file](char* buffer, std::size_t size) {
                              return file.readSome(buffer, size);
                          }};
    JsonSlipReader reader;
    SlipRequest request{};
    long long lines = 0;
    long long slips = 0;
    const auto onLine = [&](const InputLine& line) {
        ++lines;
        if (!line.overlong && !reader.read(line.text, request, line.padded)) {
            ++slips;
        }
        return true;
    };
    const ReadOutcome read =
        readLines({&input, 1}, JsonLinesOptions{}.blockBytes, onLine, [] { return true; });
    if (read.end == ReadEnd::Failed) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    std::printf("%lld lines, %lld slips\n", lines, slips);
    return 0;
}
