// The page as it first shows, written at build time by the core itself so
// that the browser paints the final layout before the module has loaded:
// every control's element where the page's script places it, with the
// captions, names and results of the page's start, the menu, the tables'
// headers and every text of the page, from the control map and the
// message table. The module then adopts these elements.
#pragma once

#include <string>
#include <string_view>

class Form;
class MemoryForm;

// What the page's core does once its controls stand, and so what the page
// shows first: the calculator's results for the map's values.
void StartPage(Form& form);

// The window's controls as the page's elements (#client's content) for
// the form's state: each panel's frame, then its bands in the order a
// phone shows them.
std::string ClientHtml(const MemoryForm& form);

// The template with each {{name}} replaced by the page's text or part of
// that name (PageTextsJson's, and "client", "menu", "shareFragment"),
// escaped as HTML, or for a JSON template as the inside of a JSON string.
// An unknown name is left as it stands.
enum class TemplateKind { Html, Json };
std::string FillPageTemplate(std::string_view text, TemplateKind kind);
