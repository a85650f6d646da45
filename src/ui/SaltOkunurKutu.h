#pragma once

#include <QLineEdit>

// A box that shows a figure, such as a list's total: it can take the focus and its text can be
// selected and copied, but not changed. Screen readers announce it as read-only text, with the
// name of the label that is its buddy, rather than as an editable field.
class SaltOkunurKutu : public QLineEdit
{
    Q_OBJECT
public:
    explicit SaltOkunurKutu(QWidget* ust);
};
