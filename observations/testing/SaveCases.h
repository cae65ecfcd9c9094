// Row states that a save writes and a load gives back, each with the golden
// file of its bytes (observations/testdata/saved/NAME.txt, where @VERSION@
// stands for the program's version): for the core's test and the window's.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Version.h"
#include "form/ControlIds.h"
#include "form/Form.h"
#include "form/testing/FormTesting.h"

namespace save_cases {

constexpr TypedRow Untouched = {"0", "", "", 0, "", "", 0};

struct SaveCase {
    const char* name;
    TypedRow rows[ObservationRowCount];
};

inline const SaveCase Cases[] = {
    {"full-rows",
     {{"1208", "50", "300", 0, "10", "10", 0},
      {"878", "55", "250", 1, "10", "10", 1},
      {"1776", "45", "320", 2, "10", "10", 2},
      {"1522", "60", "280", 0, "5", "20", 3},
      {"999", "70", "310", 1, "0", "0", 4},
      {"1", "1", "1", 2, "99", "99", 0}}},
    // Rows the estimation skips (damage 0, empty, negative, a word) are not
    // written; empty fields read as 0, text after digits is ignored, and
    // full-width digits count as ASCII ones.
    {"empty-fields",
     {Untouched,
      {"1208", "", "", 0, "", "", 0},
      {"", "50", "300", 1, "10", "10", 2},
      {"878", "55", "", 1, "", "7", 1},
      {"-5", "50", "300", 0, "0", "0", 0},
      {"３００", "12abc", "word", 2, " 4", "", 0}}},
    {"no-selection",
     {{"1208", "50", "300", -1, "10", "10", 0},
      {"878", "55", "250", 1, "10", "10", -1},
      {"1776", "45", "320", -1, "10", "10", -1},
      Untouched,
      Untouched,
      Untouched}},
    // Beyond the 32-bit range a field saturates, as the estimation reads it.
    {"extreme-numbers",
     {{"2147483647", "-2147483648", "2147483647", 2, "-2147483648", "2147483647", 4},
      {"99999999999", "-99999999999", "+0007", 0, "-0", "00", 0},
      {"1", "-1", "0", 1, "-2147483649", "2147483648", 1},
      Untouched,
      Untouched,
      Untouched}},
};

// Types the rows into the form, as a player would.
inline void TypeRows(Form& form, const SaveCase& c)
{
    for (int r = 0; r < ObservationRowCount; ++r)
        TypeRow(form, r, c.rows[r]);
}

// What the estimation reads of each row it uses, the lists' selections as
// they stand (-1: none): what a save and a load must keep.
inline std::vector<std::array<std::int32_t, 7>> UsedRows(const Form& form)
{
    std::vector<std::array<std::int32_t, 7>> rows;
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        if (form.GetNumber(row.damage) < 1)
            continue;
        rows.push_back({form.GetNumber(row.damage), form.GetNumber(row.attack), form.GetNumber(row.power),
                        form.GetSelection(row.attribute), form.GetNumber(row.strength), form.GetNumber(row.charm),
                        form.GetSelection(row.chain)});
    }
    return rows;
}

// The golden bytes of a case, with this build's version in the comment
// line; empty when the file is missing. TORUME_SAVED_GOLDEN names the folder.
inline std::string GoldenBytes(const char* name)
{
    std::ifstream file(std::filesystem::path(TORUME_SAVED_GOLDEN) / (std::string(name) + ".txt"), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::string version = "@VERSION@";
    if (const std::size_t at = bytes.find(version); at != std::string::npos)
        bytes.replace(at, version.size(), TORUME_VERSION);
    return bytes;
}

} // namespace save_cases
