// Writes one of the site's files from its template at build time, with
// the page's texts and controls from the core (PageHtml.h); built for
// node, which gives it the build's files.
//   node torume_write_page.js html|json TEMPLATE OUTPUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "web/PageHtml.h"

int main(int argc, char** argv)
{
    if (argc != 4 || (std::string_view(argv[1]) != "html" && std::string_view(argv[1]) != "json")) {
        std::fputs("usage: torume_write_page html|json TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[2]);
        return 1;
    }
    const TemplateKind kind = std::string_view(argv[1]) == "html" ? TemplateKind::Html : TemplateKind::Json;
    std::ofstream out(argv[3], std::ios::binary);
    out << FillPageTemplate(text.str(), kind);
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", argv[3]);
        return 1;
    }
    return 0;
}
