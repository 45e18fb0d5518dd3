#pragma once

#include "forms/Form.h"

class Application;
class QLabel;

// Information window with one label, written when a clip opens.
class Form6 : public forms::Form {
    Q_OBJECT
public:
    explicit Form6(Application& app);

    QLabel* Label1;
};
