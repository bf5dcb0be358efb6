#include "app/ConfigEdit.h"

#include "app/Config.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* WHITE_SPACE = " \t\n\v\f\r";

// The whole file, byte for byte; an empty text when there is no file.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::ostream& err)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        return std::string();
    if (!std::filesystem::is_regular_file(path, ec)) {
        err << "Cannot read " << path.string() << ": not a file" << std::endl;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        err << "Cannot read " << path.string() << ": " << std::strerror(errno) << std::endl;
        return std::nullopt;
    }
    return text;
}

// write(2) until all of text is out; false with errno set otherwise.
bool writeAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

} // namespace

void setConfigValue(std::string& text, const std::string& key, const std::string& value)
{
    const size_t start = key.empty() ? std::string::npos : findWordStart(text, key);
    if (start == std::string::npos) {
        if (!text.empty() && text.back() != '\n')
            text += '\n';
        text += configLine(key, value, settingComment(key));
        return;
    }
    size_t end = text.find_first_of(WHITE_SPACE, start);
    if (end == std::string::npos)
        end = text.size();
    const size_t equals = text.find('=', start);
    if (equals < end)
        text.replace(equals + 1, end - equals - 1, value);
    else
        text.replace(start, end - start, key + "=" + value);
}

bool replaceFileAtomically(const std::filesystem::path& path, const std::string& text, std::ostream& err)
{
    const std::filesystem::path temporary = path.string() + ".tmp";
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    const char* step = "create";
    bool ok = fd >= 0;
    if (ok) {
        step = "write";
        ok = writeAll(fd, text);
        // The data must be on the disk before the rename makes it the file,
        // or a crash could leave an empty config.txt behind.
        if (ok) {
            step = "flush";
            ok = ::fsync(fd) == 0;
        }
        const int saved = errno;
        if (::close(fd) != 0 && ok) {
            step = "close";
            ok = false;
        } else {
            errno = saved;
        }
    }
    if (ok) {
        step = "rename";
        ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        err << "Cannot " << step << " " << (std::strcmp(step, "rename") == 0 ? path : temporary).string() << ": "
            << std::strerror(errno) << std::endl;
        if (fd >= 0)
            ::unlink(temporary.c_str());
    }
    return ok;
}

bool saveConfigChanges(const std::filesystem::path& path, const std::vector<ConfigChange>& changes, std::ostream& err)
{
    std::optional<std::string> text = readWholeFile(path, err);
    if (!text)
        return false;
    const std::string before = *text;
    for (const auto& [key, value] : changes)
        setConfigValue(*text, key, value);
    if (*text == before)
        return true;
    return replaceFileAtomically(path, *text, err);
}
