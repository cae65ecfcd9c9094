#include "web/ShareFragment.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "form/MemoryForm.h"

namespace {

// A form with every kind of value a link carries: checks, texts that need
// escapes (full-width digits in UTF-8, as the page's texts are, a sign, a
// blank), a list without selection, and an initial row between two typed
// ones.
constexpr const char* FullWidthTwelve0 = "\xEF\xBC\x91\xEF\xBC\x92" "0"; // １２0

MemoryForm TypedForm()
{
    MemoryForm form;
    form.SetCheck(IDC_SPELL_MODE, true);
    form.SetCheck(IDC_DEFENSE_DOWN, true);
    form.SetText(IDC_ATTACK, FullWidthTwelve0);
    form.SetText(IDC_CHARM, "-5");
    form.SetSelection(IDC_ATTR_RATE, 7);
    form.SetText(IDC_OBS_DAMAGE_0, "1522");
    form.SetText(IDC_OBS_ATTACK_0, "60 ");
    form.SetSelection(IDC_OBS_CHAIN_0, -1);
    form.SetText(IDC_OBS_DAMAGE_0 + 2, "878");
    form.SetSelection(IDC_OBS_ATTR_0 + 2, 2);
    return form;
}

TEST(ShareFragment, CarriesBothPanelsAndSpellModeThroughATextOfSafeCharacters)
{
    const MemoryForm form = TypedForm();
    const std::string fragment = ShareFragmentOf(ReadSharedForm(form));
    EXPECT_EQ(fragment.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~%,;&="),
              std::string::npos);
    // Rows past the last typed one are left out; the initial second row stays.
    EXPECT_EQ(std::count(fragment.begin(), fragment.end(), ';'), 2);

    const std::optional<SharedForm> parsed = ParseShareFragment(fragment);
    ASSERT_TRUE(parsed);
    MemoryForm reopened;
    for (int id : {IDC_SPELL_MODE, IDC_ATTACK_UP, IDC_DEFENSE_DOWN})
        reopened.SetCheck(id, SharedCheck(*parsed, id));
    WriteSharedFields(reopened, *parsed);
    EXPECT_EQ(ReadSharedForm(reopened).values, ReadSharedForm(form).values);
    EXPECT_EQ(reopened.GetText(IDC_ATTACK).View(), FullWidthTwelve0);
    EXPECT_EQ(reopened.GetSelection(IDC_OBS_CHAIN_0), -1);
}

TEST(ShareFragment, AnUntouchedFormAndAnEarlierRowsOnlyLinkOpen)
{
    EXPECT_EQ(ReadSharedForm(MemoryForm()).values, InitialSharedForm().values);
    const std::optional<SharedForm> untouched = ParseShareFragment(ShareFragmentOf(InitialSharedForm()));
    ASSERT_TRUE(untouched);
    EXPECT_EQ(untouched->values, InitialSharedForm().values);

    const std::optional<SharedForm> earlier = ParseShareFragment("rows=1208,50,300,0,10,10,0;878,55,250,1,10,10,0");
    ASSERT_TRUE(earlier);
    MemoryForm form;
    WriteSharedFields(form, *earlier);
    EXPECT_EQ(form.GetText(IDC_OBS_DAMAGE_0 + 1).View(), "878");
    EXPECT_EQ(form.GetSelection(IDC_OBS_ATTR_0 + 1), 1);
    EXPECT_EQ(form.GetText(IDC_OBS_DAMAGE_0 + 2).View(), "0");
    EXPECT_EQ(form.GetText(IDC_ATTACK).View(), "50");
    EXPECT_FALSE(SharedCheck(*earlier, IDC_SPELL_MODE));
}

// A link's rows are written as the observation file writes them, the chain
// as its count; the same digits in a file and in a link mean the same
// hit. Earlier links, whose chain value was the list's item, still open.
TEST(ShareFragment, RowsTravelAsTheFileWritesThem)
{
    const struct {
        const char* chain; // in "obs=": a count, as in a file
        int item;          // the list's selection it gives; -2: malformed
    } cases[] = {
        {"0", 0}, {"1", 0}, {"2", 1}, {"3", 2}, {"5", 4}, {"6", -1}, // 6: none, as a save writes it
        {"7", -2}, {"-1", -2}, {"x", -2}, {"", -2},
    };
    for (const auto& c : cases) {
        const std::optional<SharedForm> shared = ParseShareFragment(std::string("obs=1208,50,300,0,10,10,") + c.chain);
        ASSERT_EQ(shared.has_value(), c.item != -2) << c.chain;
        if (!shared)
            continue;
        MemoryForm form;
        WriteSharedFields(form, *shared);
        EXPECT_EQ(form.GetSelection(IDC_OBS_CHAIN_0), c.item) << c.chain;
    }
    // "3連携" in a file, an earlier link and the link written now.
    MemoryForm form;
    WriteSharedFields(form, *ParseShareFragment("rows=1208,50,300,0,10,10,2"));
    EXPECT_EQ(form.GetSelection(IDC_OBS_CHAIN_0), ChainItemOfCount(3));
    const std::string written = ShareFragmentOf(ReadSharedForm(form));
    EXPECT_NE(written.find("&obs=1208,50,300,0,10,10,3"), std::string::npos) << written;
    form.SetSelection(IDC_OBS_CHAIN_0, -1);
    EXPECT_NE(ShareFragmentOf(ReadSharedForm(form)).find("&obs=1208,50,300,0,10,10,6"), std::string::npos);
    EXPECT_FALSE(ParseShareFragment("obs=1208,50,300,0,10,10,0&rows=1208,50,300,0,10,10,0")) << "rows twice";
}

TEST(ShareFragment, AMalformedLinkIsRefusedWhole)
{
    const std::string row = "1208,50,300,0,10,10,0";
    const std::string calc = "calc=0,0,0,50,300,0,0,30,4,4";
    const std::string refused[] = {
        "",
        "rows=" + row + ";",                          // an empty row
        "rows=1208,50,300,0,10,10",                   // six values
        "rows=" + row + ";" + row + ";" + row + ";" + row + ";" + row + ";" + row + ";" + row,
        "rows=1208,50,300,3,10,10,0",                 // attribute past 突
        "rows=1208,50,300,0,10,10,5",                 // chain past 5連携
        "rows=1208,50,300,x,10,10,0",
        "rows=12%4,50,300,0,10,10,0",                 // cut escape
        "rows=12%G8,50,300,0,10,10,0",
        "rows=12%0A8,50,300,0,10,10,0",               // a line feed in a field
        "rows=" + std::string(100, '1') + ",50,300,0,10,10,0",
        "calc=2,0,0,50,300,0,0,30,4,4",               // a check is 0 or 1
        "calc=0,0,0,50,300,0,0,30,4",
        calc + "&" + calc,
        "rows=" + row + "&view=1",
        "rows%3D" + row,
    };
    for (const std::string& fragment : refused)
        EXPECT_FALSE(ParseShareFragment(fragment)) << fragment;
    EXPECT_TRUE(ParseShareFragment(calc + "&rows=" + row));
    EXPECT_TRUE(ParseShareFragment("rows=" + row + "&" + calc));
    EXPECT_TRUE(ParseShareFragment("rows=1208,50,300,-1,10,10,-1"));
}

// A field's text must be well-formed UTF-8: any other bytes make the
// whole link malformed.
TEST(ShareFragment, AFieldThatIsNotUtf8IsMalformed)
{
    const std::string row = ",50,300,0,10,10,0";
    for (const char* field : {"%E3%80%80" "1208", "%EF%BC%91", "%F0%9F%98%80", "%F4%8F%BF%BF"}) // U+3000 to U+10FFFF
        EXPECT_TRUE(ParseShareFragment(std::string("rows=") + field + row)) << field;
    for (const char* field : {"%FF%FE" "1208", "%80" "1208", // no character starts so
                              "%C0%80", "%E0%80%B1", "%F0%80%80%B1", // overlong: NUL, 1
                              "%ED%A0%80", "%F4%90%80%80",      // a surrogate, past U+10FFFF
                              "%E3%81", "%F0%9F%98" "1208"})    // cut short
        EXPECT_FALSE(ParseShareFragment(std::string("rows=") + field + row)) << field;
}

// A field holds 99 bytes, which may end inside a character: the link and
// the kept state carry the whole characters before it, and open again.
TEST(ShareFragment, AFieldIsKeptUpToItsLastWholeCharacter)
{
    std::string emoji, fullWidth;
    for (int k = 0; k < 33; ++k) {
        emoji += "\xF0\x9F\x98\x80";
        fullWidth += "\xEF\xBC\x91";
    }
    const struct {
        std::string typed;
        std::size_t kept; // bytes
    } cases[] = {{emoji, 96}, {"12" + emoji, 98}, {"123" + emoji, 99}, {"1" + fullWidth, 97}, {fullWidth, 99}};
    for (const auto& c : cases) {
        MemoryForm form;
        form.SetText(IDC_OBS_ATTACK_0, c.typed);
        const SharedForm shared = ReadSharedForm(form);
        EXPECT_EQ(shared.values[SharedCalculatorCount + 1], c.typed.substr(0, c.kept)); // the first row's attack
        const std::optional<SharedForm> reopened = ParseShareFragment(ShareFragmentOf(shared));
        ASSERT_TRUE(reopened) << c.kept;
        EXPECT_EQ(reopened->values, shared.values);
    }
}

TEST(ShareFragment, RowsCompareApartFromTheCalculator)
{
    MemoryForm a = TypedForm(), b = TypedForm();
    b.SetText(IDC_POWER, "999");
    EXPECT_TRUE(SameSharedRows(ReadSharedForm(a), ReadSharedForm(b)));
    b.SetSelection(IDC_OBS_CHAIN_0 + 5, 3);
    EXPECT_FALSE(SameSharedRows(ReadSharedForm(a), ReadSharedForm(b)));
}

} // namespace

// Clearing for a new enemy: every row and the enemy's values start again,
// the player's own values and spell mode stay.
TEST(ShareFragment, ClearingForANewEnemyKeepsThePlayersOwnValues)
{
    const SharedForm typed = ReadSharedForm(TypedForm()), cleared = ClearedForNewEnemy(typed);
    EXPECT_TRUE(SameSharedRows(cleared, InitialSharedForm()));
    for (int i = 0; i < SharedCalculatorCount; ++i) {
        const int id = SharedControlId(i);
        const bool enemy = id == IDC_DEFENSE || id == IDC_ATTR_RATE || id == IDC_ATTR_RATE2 || id == IDC_DEFENSE_DOWN;
        EXPECT_EQ(cleared.values[i], (enemy ? InitialSharedForm() : typed).values[i]) << id;
    }
}
