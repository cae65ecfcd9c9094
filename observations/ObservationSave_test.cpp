#include "observations/ObservationSave.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "estimator/EstimatorState.h"
#include "encoding/TextEncoding.h"
#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"
#include "observations/testing/SaveCases.h"
#include "resources/ResourceText.h"

namespace {

using save_cases::Cases;
using save_cases::SaveCase;
using save_cases::UsedRows;

int LineCount(const std::string& bytes)
{
    int lines = 0;
    for (char c : bytes)
        lines += c == '\n';
    return lines;
}

TEST(ObservationSave, WritesTheGoldenBytesAndLoadsBackTheSameRows)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "torume-save-test.txt";
    for (const SaveCase& c : Cases) {
        SCOPED_TRACE(c.name);
        MemoryForm typed;
        save_cases::TypeRows(typed, c);
        const SavedObservations saved = SaveObservationRows(typed);
        const std::string golden = save_cases::GoldenBytes(c.name);
        ASSERT_NE(golden, "") << "golden file missing";
        EXPECT_EQ(saved.bytes, golden);
        EXPECT_EQ(saved.rowCount, LineCount(golden) - 1) << "the comment line, then one line a row";
        EXPECT_TRUE(saved.bytes.starts_with("# " + Utf8ToCp932(TEXT_PRODUCT_NAME) + " "))
            << "the program's name, in the file's code page";

        // Loaded over other rows, which it replaces.
        std::ofstream(path, std::ios::binary) << saved.bytes;
        MemoryForm loaded;
        save_cases::TypeRows(loaded, Cases[&c == &Cases[0] ? 1 : 0]);
        EstimatorState state;
        const LoadResult load = LoadObservationsFromFile(loaded, path.string().c_str(), state);
        EXPECT_EQ(load.failure, LoadFailure::None);
        EXPECT_EQ(load.skippedCount, 0u) << "every line reads";
        EXPECT_EQ(UsedRows(loaded), UsedRows(typed));
        EXPECT_EQ(SaveObservationRows(loaded).bytes, saved.bytes) << "saving again changes nothing";
    }
    std::filesystem::remove(path);
}

// Such a file would fail to load: the front ends save nothing and say why.
TEST(ObservationSave, RowsWithoutADamageOfOneOrMoreGiveNoRow)
{
    MemoryForm form;
    EXPECT_EQ(SaveObservationRows(form).rowCount, 0) << "rows as the window starts";
    const char* damages[] = {"0", "", "-1", "word", "-2147483648"};
    for (int r = 0; r < static_cast<int>(std::size(damages)); ++r) {
        form.SetText(ObservationRowIds(r).damage, damages[r]);
        form.SetText(ObservationRowIds(r).attack, "50");
    }
    EXPECT_EQ(SaveObservationRows(form).rowCount, 0);
}

} // namespace
