// quorvel_rc_embed SCRIPT.rc OUTPUT.cpp DEPFILE
//
// Reads a resource script the way the program will, failing with the file
// and line of anything it cannot read, and writes a C++ source that builds the
// script, the headers it includes and the icons it names into the program.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/resource_script.h"

namespace {

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::string depfileEscaped(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\') {
            out += '\\';
        }
        out += c == '$' ? std::string("$$") : std::string(1, c);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quorvel_rc_embed SCRIPT.rc OUTPUT.cpp DEPFILE\n");
        return 2;
    }
    const std::filesystem::path script = std::filesystem::absolute(argv[1]);
    const std::filesystem::path folder = script.parent_path();
    const std::string name = script.filename().string();

    const quorvel::platform::ScriptReadResult result = quorvel::platform::readResourceScript(
        name, [&folder](const std::string& path) { return readFile(folder / path); });
    if (!result.script) {
        // Relative to the script's folder; name it in full for the build log.
        std::fprintf(stderr, "%s/%s\n", folder.string().c_str(), result.error.c_str());
        return 1;
    }

    std::ostringstream source;
    source << "// Generated from " << name << " by quorvel_rc_embed; do not edit.\n"
           << "#include \"platform/core/resources.h\"\n\nnamespace {\n";
    for (std::size_t i = 0; i < result.files.size(); ++i) {
        const std::string bytes = *readFile(folder / result.files[i]);
        source << "const unsigned char file" << i << "[] = {";
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            source << (k % 20 == 0 ? "\n    " : " ")
                   << static_cast<int>(static_cast<unsigned char>(bytes[k])) << ',';
        }
        source << "0};\n";
    }
    source << "const quorvel::platform::EmbeddedFile files[] = {\n";
    for (std::size_t i = 0; i < result.files.size(); ++i) {
        const std::string bytesName = "file" + std::to_string(i);
        source << "    {\"" << result.files[i] << "\", " << bytesName << ", sizeof " << bytesName
               << " - 1},\n";
    }
    source
        << "};\n[[maybe_unused]] const bool registered =\n"
        << "    quorvel::platform::registerEmbeddedScript(files, sizeof files / sizeof files[0]);\n"
        << "}  // namespace\n";

    std::ofstream out(argv[2], std::ios::binary);
    out << source.str();
    std::ofstream depfile(argv[3], std::ios::binary);
    depfile << depfileEscaped(argv[2]) << ":";
    for (const std::string& file : result.files) {
        depfile << " " << depfileEscaped((folder / file).lexically_normal().string());
    }
    depfile << "\n";
    return out && depfile ? 0 : 1;
}
