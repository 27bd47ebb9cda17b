#pragma once

// Runs the built quorvel-settle with pipes for its standard input and output, as a program
// that sends it slips and reads the answers would.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::testing {

class Coprocess {
  public:
    explicit Coprocess(const std::vector<std::string>& arguments);
    ~Coprocess();
    Coprocess(const Coprocess&) = delete;
    Coprocess& operator=(const Coprocess&) = delete;

    bool started() const { return started_; }
    void send(std::string_view text);
    // The next line of the answers, without its line break; empty at their end.
    std::string readLine();
    // All it writes from here to its end.
    std::string readAll();
    void closeInput();
    // Stops reading the answers, as `| head -n 1` does.
    void closeOutput();
    // Waits for the end; the exit status, or -1.
    int wait();
    // What it wrote on standard error, once it has ended.
    std::string errors() const;

  private:
    // Reads what the program has written into buffered_; false at the end of its answers.
    bool readMore();

    bool started_ = false;
    int status_ = -1;
    std::string buffered_;  // read but not yet returned
    std::string errorPath_;
#ifdef _WIN32
    void* process_ = nullptr;
    void* input_ = nullptr;
    void* output_ = nullptr;
#else
    int pid_ = -1;
    int input_ = -1;
    int output_ = -1;
#endif
};

}  // namespace quorvel::testing
