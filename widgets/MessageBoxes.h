#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through this seam, so that tests can
// answer boxes instead of blocking on them.
enum class BoxIcon { None, Information, Error, Question, Warning };
enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxResult { Ok, Cancel, Yes, No };

struct BoxRequest {
    QWidget* owner = nullptr;
    QString text;
    QString caption;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual BoxResult show(const BoxRequest& request) = 0;
};

// Modal Qt message boxes.
class QtMessageBoxes : public MessageBoxes {
public:
    BoxResult show(const BoxRequest& request) override;
};

// The standard error box text: the error's text with a full stop added when
// it does not end in punctuation.
QString standardErrorText(const QString& message);
