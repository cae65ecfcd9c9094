#include "web/WebForm.h"

#include <string>

#include "form/ControlMap.h"

// The page's side, in WebControls.js.
extern "C" {
void WebAdoptControl(int id, const char* kind, const char* text);
void WebCoupleSpin(int id, int buddyId);
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

void AdoptWebControls()
{
    for (const ControlDef& def : ControlMap) {
        WebAdoptControl(def.id, KindNameOf(def.kind), def.text);
        if (def.kind == ControlKind::Spin)
            WebCoupleSpin(def.id, def.buddyId);
        if (def.kind == ControlKind::Combo)
            WebSetSelection(def.id, def.selection);
    }
}
