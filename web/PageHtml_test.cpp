#include "web/PageHtml.h"

#include <string>

#include <gtest/gtest.h>

#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "resources/resource.h"

namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The element that carries a control's ID, from its tag to its end.
std::string ElementOf(const std::string& html, int id)
{
    const std::size_t mark = html.find("data-id=\"" + std::to_string(id) + "\"");
    const std::size_t start = html.rfind('<', mark);
    return mark == std::string::npos ? "" : html.substr(start, html.find("</", mark) + 2 - start);
}

// Every control stands once, as the element its kind makes, and in the
// state the page starts in: the calculator's results computed, the rows
// unused and so described, the fields named for a screen reader, the
// lists at their selection, the headers marked and each headed field's
// caption placed at its header's height.
TEST(PageHtml, EveryControlStandsOnceInTheStateThePageStartsIn)
{
    MemoryForm form;
    StartPage(form);
    const std::string html = ClientHtml(form);
    for (const ControlDef& def : ControlMap)
        EXPECT_EQ(Count(html, "data-id=\"" + std::to_string(def.id) + "\""), 1u) << def.name;
    const struct {
        int id;
        const char* part;
    } cases[] = {
        {IDC_RESULT_CRIT, "<div class=\"label highlighted\" data-id=\"1005\""},
        {IDC_RESULT_CRIT, ">1170"},
        {IDC_RESULT_MIN, ">585"},
        {IDC_EST_DEFENSE, "data-box=\"1011\" style=\"--x:25;--y:250;--w:400;--h:20;order:455030\"></"},
        {IDC_CALC_HEADER, "class=\"label header\""},
        {IDC_EST_HEADER, "class=\"label header\""},
        {IDC_ATTACK, "<input data-id=\"2000\" aria-label=\"攻撃\" value=\"50\" inputmode=\"numeric\""},
        {IDC_OBS_DAMAGE_0, "aria-label=\"1行目 クリダメ\" aria-describedby=\"unused-note\" value=\"0\""},
        {IDC_ATTR_RATE, "aria-label=\"属性倍率\"><option>50<"},
        {IDC_OBS_CHAIN_0 + 5, "aria-label=\"6行目 連携数\" aria-describedby=\"unused-note\"><option selected>連携無し"},
        {IDC_ATTACK_SPIN, "<span class=\"spin\" aria-hidden=\"true\""},
        {IDC_SPELL_MODE, "<input type=\"checkbox\" data-id=\"6000\"><span class=\"text\">術モード"},
        {IDC_GROUP_CALC, "<fieldset class=\"frame\" data-id=\"900\"><legend>ダメージ計算"},
    };
    for (const auto& c : cases)
        EXPECT_NE(ElementOf(html, c.id).find(c.part), std::string::npos) << c.id << ": " << c.part;
    const struct {
        int id;
        const char* box;
    } boxes[] = {
        {IDC_ATTR_RATE2, "class=\"box combo headed\" data-box=\"4015\" style=\"--x:405;--y:45;--w:60;--h:180;"
                         "order:80410;--head:-20\"><span class=\"caption\">複属性</span>"},
        {IDC_OBS_CHAIN_0, "class=\"box combo headed unused\" data-box=\"4009\" style=\"--x:365;--y:50;--w:90;"
                          "--h:150;order:255370;--head:-25\"><span class=\"caption\">連携数</span>"},
        {IDC_OBS_CHAIN_0 + 1, "class=\"box combo unused\" data-box=\"4010\""},
    };
    for (const auto& b : boxes)
        EXPECT_EQ(Count(html, b.box), 1u) << b.id;
    EXPECT_EQ(Count(html, "<option>87.5</option><option selected>100</option>"), 2u);
}

// Texts are escaped for the file they go into; names the page does not
// know are left as they stand; the parts are the core's.
TEST(PageHtml, TemplatesTakeTheCoresTextsEscapedForTheirFile)
{
    const std::string text = FillPageTemplate("<title>{{heading}}</title>{{unknown}}<pre>{{formatText}}</pre>"
                                              "<div id=\"menu\">{{menu}}</div>{{handOffButtons}}",
                                              TemplateKind::Html);
    EXPECT_EQ(text.find("<title>トルメ ダメージ計算機</title>{{unknown}}<pre>"), 0u);
    EXPECT_NE(text.find("1208 50 300 0 10 10 0\n"), std::string::npos);
    EXPECT_EQ(Count(text, "data-id=\"" + std::to_string(IDM_FILE_LOAD) + "\""), 1u);
    EXPECT_EQ(Count(text, "<button type=\"button\" disabled>"), 3u);
    EXPECT_EQ(FillPageTemplate("\"{{formatText}}\"", TemplateKind::Json).find('\n'), std::string::npos);
    EXPECT_EQ(FillPageTemplate("{{menu}}", TemplateKind::Json), "{{menu}}");
}

} // namespace
