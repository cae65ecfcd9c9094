#include "web/PageHtml.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "commands/PanelCommand.h"
#include "estimator/Estimate.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/MenuLabel.h"
#include "messages/Messages.h"
#include "report/AnalysisJson.h"
#include "resources/ResourceText.h"
#include "resources/resource.h"
#include "web/EditCommand.h"
#include "web/FieldNames.h"
#include "web/PageModel.h"
#include "web/ShareFragment.h"

namespace {

std::string Escaped(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        default: html += c;
        }
    }
    return html;
}

// ' name="value"'; a boolean attribute when the value is null.
std::string Attribute(std::string_view name, std::optional<std::string_view> value)
{
    return " " + std::string(name) + (value ? "=\"" + Escaped(*value) + "\"" : "");
}

std::string Element(std::string_view tag, const std::string& attributes, std::string_view content = {})
{
    std::string html = "<" + std::string(tag) + attributes + ">";
    if (tag == "input")
        return html;
    return html + std::string(content) + "</" + std::string(tag) + ">";
}

std::string Number(int n)
{
    return std::to_string(n);
}

// Where the box stands on a wide screen: the window's coordinates within
// its panel's frame, which page.css reads; its order in a band on a phone;
// a headed field's caption, that far above it.
std::string BoxAttributes(const ControlDef& def, const PagePlace& place)
{
    const ControlDef* frame = def.kind == ControlKind::Group ? nullptr : FrameOf(def.panel);
    std::string style = "--x:" + Number(def.x - (frame ? frame->x : 0)) + ";--y:" +
                        Number(def.y - (frame ? frame->y : 0)) + ";--w:" + Number(def.width) + ";--h:" +
                        Number(def.height) + ";order:" + Number(def.y * 1000 + def.x);
    if (place.head != 0)
        style += ";--head:" + Number(FindControlDef(place.head)->y - def.y);
    return Attribute("data-box", Number(def.id)) + Attribute("style", style);
}

std::string Classes(std::string classes, std::initializer_list<std::pair<bool, const char*>> more)
{
    for (const auto& [on, name] : more)
        if (on)
            classes += std::string(" ") + name;
    return Attribute("class", classes);
}

// An edit field or a list under its caption, named for a screen reader; a
// row that the estimation does not read says why.
std::string FieldHtml(const MemoryForm& form, const ControlDef& def, const PagePlace& place)
{
    const std::optional<RowPlace> row = RowPlaceOf(def.id);
    const bool unused = row && !ObservationRowUsed(form, row->row), enabled = form.IsEnabled(def.id);
    const bool edit = def.kind == ControlKind::Edit;
    std::string attributes = Attribute("data-id", Number(def.id)) + Attribute("aria-label", FieldName(form, def.id));
    if (unused)
        attributes += Attribute("aria-describedby", "unused-note");
    if (!enabled)
        attributes += Attribute("disabled", std::nullopt);
    std::string field;
    if (edit) {
        attributes += Attribute("value", form.FullText(def.id)) + Attribute("inputmode", "numeric") +
                      Attribute("autocomplete", "off") + Attribute("maxlength", Number(EditTextLimit));
        field = Element("input", attributes);
    } else {
        std::string options;
        for (std::size_t k = 0; k < def.items.size(); ++k)
            options += Element("option", static_cast<int>(k) == form.GetSelection(def.id)
                                             ? Attribute("selected", std::nullopt) : std::string(),
                               Escaped(def.items[k]));
        field = Element("select", attributes, options);
    }
    return Element("label",
                   Classes(edit ? "box edit" : "box combo",
                           {{place.head != 0, "headed"}, {unused, "unused"}, {!enabled, "disabled"}}) +
                       BoxAttributes(def, place),
                   Element("span", Attribute("class", "caption"), Escaped(FieldCaption(form, def.id))) + field);
}

// A control's box as page.js and WebControls.js know it: the element that
// carries data-id, in the box that carries data-box. A frame's box is its
// panel, which holds the panel's bands.
std::string BoxHtml(const MemoryForm& form, const ControlDef& def, const std::string& bands = {})
{
    const PagePlace& place = PagePlaces()[static_cast<std::size_t>(FindControl(def.id))];
    const std::string id = Attribute("data-id", Number(def.id)), text = Escaped(form.FullText(def.id));
    const std::string disabled = form.IsEnabled(def.id) ? "" : Attribute("disabled", std::nullopt);
    switch (def.kind) {
    case ControlKind::Group:
        return Element("div", Attribute("class", "panel") + BoxAttributes(def, place),
                       Element("fieldset", Attribute("class", "frame") + id, Element("legend", "", text)) + bands);
    case ControlKind::Label:
        return Element("div",
                       Classes("label", {{def.highlighted, "highlighted"}, {place.header, "header"}}) + id +
                           BoxAttributes(def, place),
                       text);
    case ControlKind::Button:
        return Element("button",
                       Attribute("class", "button") + Attribute("type", "button") + id + BoxAttributes(def, place) +
                           disabled,
                       text);
    case ControlKind::Spin: {
        // The arrows are for the mouse and the finger: the keyboard steps
        // the field with its Up and Down keys.
        const std::string arrow = Attribute("type", "button") + Attribute("tabindex", "-1");
        return Element("span", Attribute("class", "spin") + Attribute("aria-hidden", "true") + id +
                                   BoxAttributes(def, place),
                       Element("button", Attribute("class", "up") + arrow, "\u25b2") +
                           Element("button", Attribute("class", "down") + arrow, "\u25bc"));
    }
    case ControlKind::Check:
        return Element("label", Classes("box check", {{!form.IsEnabled(def.id), "disabled"}}) + BoxAttributes(def, place),
                       Element("input", Attribute("type", "checkbox") + id + disabled +
                                            (form.GetCheck(def.id) ? Attribute("checked", std::nullopt) : "")) +
                           Element("span", Attribute("class", "text"), text));
    case ControlKind::Edit:
    case ControlKind::Combo: return FieldHtml(form, def, place);
    }
    return {};
}

std::string MenuButtonHtml(int id, std::string_view text)
{
    return Element("button",
                   Attribute("class", "menu-item") + Attribute("type", "button") + Attribute("data-id", Number(id)),
                   Escaped(text));
}

// The window's menu items, as the page's load and download show them, and
// the page's own command that clears the rows for a new enemy.
std::string MenuHtml()
{
    const std::string load = Element("input", Attribute("type", "file") + Attribute("accept", ".txt,text/plain") +
                                                  Attribute("data-id", Number(IDM_FILE_LOAD)));
    return Element(
        "nav", Attribute("class", "menu"),
        Element("span", Attribute("class", "menu-title"), Escaped(TEXT_MENU_FILE)) +
            Element("label", Attribute("class", "menu-item"),
                    Element("span", Attribute("class", "text"), Escaped(MenuItemLabel(TEXT_MENU_FILE_LOAD))) + load) +
            MenuButtonHtml(IDM_FILE_SAVE, MenuItemLabel(TEXT_MENU_FILE_SAVE)) +
            MenuButtonHtml(PageClearId, MessageText(MessageId::PageClearTable)));
}

// A table's column headers; a column without one (the candidates' mark)
// heads with an empty cell.
std::string ColumnsHtml(const nlohmann::json& columns)
{
    std::string html;
    for (const auto& column : columns) {
        const std::string text = column.get<std::string>();
        html += text.empty() ? Element("td", "") : Element("th", Attribute("scope", "col"), Escaped(text));
    }
    return html;
}

// A button per attribute, enabled once an estimate has its rate.
std::string HandOffHtml(const nlohmann::json& attributes)
{
    std::string html;
    for (const auto& attribute : attributes)
        html += Element("button", Attribute("type", "button") + Attribute("disabled", std::nullopt),
                        Escaped(attribute.get<std::string>()));
    return html;
}

std::optional<std::string> PagePart(const MemoryForm& form, const nlohmann::json& texts, const std::string& name,
                                    TemplateKind kind)
{
    const auto text = texts.find(name);
    if (text != texts.end() && text->is_string()) {
        const std::string value = text->get<std::string>();
        if (kind == TemplateKind::Html)
            return Escaped(value);
        const std::string quoted = nlohmann::json(value).dump(-1, ' ', false);
        return quoted.substr(1, quoted.size() - 2);
    }
    if (kind != TemplateKind::Html)
        return std::nullopt;
    if (name == "client")
        return ClientHtml(form);
    if (name == "menu")
        return MenuHtml();
    if (name == "shareFragment")
        return Escaped(ShareFragmentOf(ReadSharedForm(form)));
    if (name == "handOffButtons")
        return HandOffHtml(texts.at(name));
    if (text != texts.end() && text->is_array())
        return ColumnsHtml(*text);
    return std::nullopt;
}

} // namespace

void StartPage(Form& form)
{
    RunPanelCommand(form, IDC_CALC_RUN);
}

std::string ClientHtml(const MemoryForm& form)
{
    const auto& places = PagePlaces();
    std::vector<int> order(ControlCount);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return places[static_cast<std::size_t>(a)].phoneTab < places[static_cast<std::size_t>(b)].phoneTab;
    });
    std::string html;
    for (const int i : order) {
        const PagePlace& place = places[static_cast<std::size_t>(i)];
        if (place.band >= 0)
            continue;
        std::string bands;
        if (ControlMap[i].kind == ControlKind::Group) {
            int band = -1;
            for (const int k : order) {
                const PagePlace& member = places[static_cast<std::size_t>(k)];
                if (member.panel != place.panel || member.band < 0)
                    continue;
                if (member.band != band) {
                    bands += band < 0 ? "" : "</div>";
                    band = member.band;
                    bands += "<div" + Attribute("class", "band") + Attribute("data-band", Number(band)) + ">";
                }
                bands += BoxHtml(form, ControlMap[k]);
            }
            bands += band < 0 ? "" : "</div>";
        }
        html += BoxHtml(form, ControlMap[i], bands);
    }
    return html;
}

std::string FillPageTemplate(std::string_view text, TemplateKind kind)
{
    MemoryForm form;
    StartPage(form);
    const nlohmann::json texts = PageTextsJson();
    std::string filled;
    for (std::size_t at = 0;;) {
        const std::size_t open = text.find("{{", at), close = text.find("}}", open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            filled += text.substr(at);
            return filled;
        }
        const std::string name(text.substr(open + 2, close - open - 2));
        const std::optional<std::string> part = PagePart(form, texts, name, kind);
        filled += text.substr(at, open - at);
        filled += part ? *part : std::string(text.substr(open, close + 2 - open));
        at = close + 2;
    }
}
