// Standard output and error of torume.exe. A console gets the text through
// its Unicode interface, so Japanese shows whatever the console's code page;
// a redirected stream gets the UTF-8 bytes in binary mode, as on Linux.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>

class StandardStream {
public:
    // 1 standard output, 2 standard error.
    explicit StandardStream(int descriptor);
    ~StandardStream();
    std::ostream& Stream() { return stream; }

private:
    std::unique_ptr<std::streambuf> console; // null when redirected
    std::ostream stream;
};
