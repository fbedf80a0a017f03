#pragma once
// How the core talks to the operator without opening a window. The console implements this with
// message boxes, the headless server by logging (questions answer No unless configured
// otherwise), tests with scripted answers. Texts passed here are the system's fixed texts.

#include <QString>

namespace lum {

class IOperatorPrompt {
public:
    enum class Icon { Information, Stop, Warning, Question };

    virtual ~IOperatorPrompt() = default;
    // A notice or an error the operator must see.
    virtual void message(const QString& text, Icon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
};

}  // namespace lum
