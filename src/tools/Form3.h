#pragma once

#include <memory>

#include "forms/Dialogs.h"
#include "forms/Form.h"

class Application;
class RichTextBox;
namespace forms {
class MenuItem;
}

// The text viewer: a file chosen through its "Open" menu, shown formatted when it is a Rich
// Text Format document and as plain text otherwise.
class Form3 : public forms::Form {
    Q_OBJECT
public:
    explicit Form3(Application& app);
    ~Form3() override;

    void Open_Click();

    RichTextBox* RichTextBox1;
    std::unique_ptr<forms::CommonDialog> CommonDialog1;
    forms::MenuItem* Open;
};
