#pragma once

#include "forms/Form.h"

class Application;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The clip properties window: a passive panel of lines about the clip last opened, written by
// the engines' events and the remote control.
class Pro1 : public forms::Form {
    Q_OBJECT
public:
    explicit Pro1(Application& app);

    void Ok2_Click() { Hide(); }

    // The data-rate line: "Data Rate: Unknown" for 0, else the rate in kilobits.
    void showDataRate(long bitsPerSecond);

    QFrame* Frame1;
    QLabel* Label1;
    QLabel* Label13;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label14;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QProgressBar* ProgressBar1;
    QPushButton* Ok2;
};
