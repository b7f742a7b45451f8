#pragma once

#include <QString>
#include <optional>

namespace varrow
{

class StatusBar;

// What panel 1 of the main window's status bar shows: the views' passing status texts, and
// messages that matter, which stay until the next page load or the next command instead of
// giving way to the browser view's "Opening ...", "Loading pictures ..." and "Done".
class StatusMessages
{
public:
    enum class Lasts {
        UntilCommand,  // a notice about the program itself, raised before any page loads
        UntilPageLoad, // the outcome of a page or a command: the next of either ends it
    };

    explicit StatusMessages(StatusBar& bar);

    // A view's status text; while a message lasts it is kept back and shown when the message
    // ends.
    void showPassing(const QString& text);
    void showLasting(const QString& text, Lasts lasts);
    // The browser view began to load a page.
    void pageLoadBegan();
    // The person ran a command (button, menu item, Enter in the address box).
    void commandRan();

private:
    void end();

    StatusBar& m_bar;
    std::optional<Lasts> m_lasting;
    std::optional<QString> m_keptBack;
};

} // namespace varrow
