// Stands in for the desktop's browser in the Windows help test: adds the file it was asked to
// open, as one line, to the file QUORVEL_TEST_OPENED names.

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* record = std::getenv("QUORVEL_TEST_OPENED");
    if (record == nullptr || argc < 2) {
        return 1;
    }
    std::FILE* file = std::fopen(record, "a");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%s\n", argv[1]);
    return std::fclose(file) == 0 ? 0 : 1;
}
