// readResourceScript(): the preprocessor's tokens, parsed. The parts are in
// script_lexer.cpp, script_expression.cpp, script_preprocessor.cpp and
// script_parser.cpp (script_reader.h).

#include "tools/rc/resource_script.h"

#include <deque>

#include "tools/rc/script_reader.h"

namespace quorvel::rc {

ScriptReadResult readResourceScript(const std::string& scriptPath,
                                    const ScriptFileReader& readFile) {
    ScriptReadResult result;
    try {
        std::deque<std::string> names;
        const script::Preprocessed tokens =
            script::preprocess(scriptPath, readFile, result.files, names);
        result.script = script::parse(tokens, readFile, result.files, scriptPath);
    } catch (const script::ScriptError& error) {
        result.error = error.message;
    }
    return result;
}

}  // namespace quorvel::rc
