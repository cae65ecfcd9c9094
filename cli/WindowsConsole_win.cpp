#include "cli/WindowsConsole.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "encoding/TextEncoding.h"

namespace {

// Collects UTF-8 and hands whole characters to WriteConsoleW; a character
// cut between two writes waits for its rest.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console(console) {}

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            pending += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        pending.append(text, static_cast<std::size_t>(count));
        return count;
    }

    int sync() override;

private:
    HANDLE console;
    std::string pending;
};

// The length of the text's longest start that ends on a whole character.
std::size_t WholeCharacters(const std::string& text)
{
    const std::size_t end = text.size();
    for (std::size_t back = 1; back <= 4 && back <= end; ++back) {
        const unsigned char c = static_cast<unsigned char>(text[end - back]);
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? end - back : end;
    }
    return end;
}

int ConsoleBuffer::sync()
{
    const std::size_t whole = WholeCharacters(pending);
    const std::wstring wide = Utf8ToWide(std::string_view(pending).substr(0, whole));
    pending.erase(0, whole);
    const wchar_t* at = wide.data();
    std::size_t left = wide.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 8192));
        DWORD written = 0;
        if (!WriteConsoleW(console, at, chunk, &written, nullptr) || written == 0)
            return -1;
        at += written;
        left -= written;
    }
    return 0;
}

// The console behind standard output or error, or null when redirected.
HANDLE ConsoleOf(int descriptor)
{
    HANDLE handle = GetStdHandle(descriptor == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}

} // namespace

StandardStream::StandardStream(int descriptor) : stream(nullptr)
{
    if (HANDLE handle = ConsoleOf(descriptor)) {
        console = std::make_unique<ConsoleBuffer>(handle);
        stream.rdbuf(console.get());
        stream.setf(std::ios::unitbuf); // keeps the order of output and errors
    } else {
        // Binary: "\n" stays one byte, as on Linux.
        _setmode(descriptor, _O_BINARY);
        stream.rdbuf((descriptor == 1 ? std::cout : std::cerr).rdbuf());
    }
}

StandardStream::~StandardStream()
{
    stream.flush();
}
