#include "web/WebForm.h"

#include <string>

#include "form/ControlMap.h"
#include "form/MenuLabel.h"
#include "messages/Messages.h"
#include "resources/ResourceText.h"
#include "resources/resource.h"
#include "web/PageModel.h"

// The page's side, in WebControls.js.
extern "C" {
void WebCreateControl(int id, const char* kind, const char* text, int x, int y, int width, int height, bool highlighted,
                      int frameId);
void WebCoupleSpin(int id, int buddyId);
void WebAddItem(int id, const char* text);
void WebCreateFileInput(int id, const char* menuText, const char* itemText);
void WebCreateMenuButton(int id, const char* itemText);
void WebLimitText(int id, int limit);
int WebCopyText(int id, char* buffer, int size);
void WebSetText(int id, const char* text);
int WebGetSelection(int id);
void WebSetSelection(int id, int index);
bool WebGetCheck(int id);
void WebSetCheck(int id, bool checked);
void WebEnable(int id, bool enabled);
}

WebForm PageForm;

FieldText WebForm::GetText(int id) const
{
    // Only the bytes the form keeps, 99 like a window text read into a
    // 100-byte buffer, are copied: a field's text may be of any length.
    char bytes[FieldText::Capacity];
    const int length = WebCopyText(id, bytes, FieldText::Capacity);
    return MakeFieldText({bytes, static_cast<std::size_t>(length)});
}

void WebForm::SetText(int id, std::string_view text)
{
    WebSetText(id, std::string(text).c_str());
}

int WebForm::GetSelection(int id) const
{
    return WebGetSelection(id);
}

void WebForm::SetSelection(int id, int index)
{
    WebSetSelection(id, index);
}

bool WebForm::GetCheck(int id) const
{
    return WebGetCheck(id);
}

void WebForm::SetCheck(int id, bool checked)
{
    WebSetCheck(id, checked);
}

void WebForm::Enable(int id, bool enabled)
{
    WebEnable(id, enabled);
}

void CreateWebControls()
{
    // The window's menu items, as the page's load and download show them.
    WebCreateFileInput(IDM_FILE_LOAD, TEXT_MENU_FILE, std::string(MenuItemLabel(TEXT_MENU_FILE_LOAD)).c_str());
    WebCreateMenuButton(IDM_FILE_SAVE, std::string(MenuItemLabel(TEXT_MENU_FILE_SAVE)).c_str());
    WebCreateMenuButton(PageClearId, MessageText(MessageId::PageClearTable));
    for (const ControlDef& def : ControlMap) {
        // A frame stands in the window; every other control in its panel's frame.
        const ControlDef* frame = def.kind == ControlKind::Group ? nullptr : FrameOf(def.panel);
        WebCreateControl(def.id, KindNameOf(def.kind), def.text, def.x, def.y, def.width, def.height,
                         def.highlighted, frame ? frame->id : 0);
        if (def.kind == ControlKind::Edit)
            WebLimitText(def.id, EditTextLimit);
        if (def.kind == ControlKind::Spin)
            WebCoupleSpin(def.id, def.buddyId);
        for (const char* item : def.items)
            WebAddItem(def.id, item);
        if (def.kind == ControlKind::Combo)
            WebSetSelection(def.id, def.selection);
    }
}
