#include "base/Log.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>

namespace {

// One write per line, so that lines from worker threads never interleave
// mid-line.
void writeLine(std::ostream& out, std::string_view line)
{
    std::string text;
    text.reserve(line.size() + 1);
    text.append(line);
    text.push_back('\n');
    out.write(text.data(), std::streamsize(text.size()));
}

} // namespace

std::ostream& logStream()
{
    return std::cout;
}

std::ostream& errorStream()
{
    return std::cerr;
}

void logLine(std::string_view line)
{
    writeLine(std::cout, line);
    std::cout.flush();
}

void logText(std::string_view text, bool flush)
{
    std::cout.write(text.data(), std::streamsize(text.size()));
    if (flush)
        std::cout.flush();
}

void logError(std::string_view line)
{
    writeLine(std::cerr, line);
    std::cerr.flush();
}

namespace {

std::function<void()>& lastWords()
{
    static std::function<void()> words;
    return words;
}

} // namespace

void setLastWordsBeforeFatal(std::function<void()> words)
{
    lastWords() = std::move(words);
}

void fatal(std::string_view message)
{
    logError(message);
    // Taken out first: a fatal condition inside them must not come back here.
    if (const std::function<void()> words = std::exchange(lastWords(), nullptr))
        words();
    std::exit(1);
}
