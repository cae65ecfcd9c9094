// A file name as torume prints it in its text output and on standard
// error: as it is, unless it holds something a terminal would act on or a
// reader could not tell apart.
#pragma once

#include <string>
#include <string_view>

// A name with a control character (C0, DEL or C1), a byte that is not
// UTF-8, or a leading double quote is written as a C string literal: in
// double quotes, with \t, \n, \r, \\ and \" and the rest as \xNN (a byte)
// or \u00NN (a C1 character). Any other name, Windows' backslashes
// included, is written unchanged, so a quoted name is never confused with
// a plain one.
std::string PrintedName(std::string_view name);
