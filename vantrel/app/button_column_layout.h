#pragma once
#include <initializer_list>

class QDialog;
class QPushButton;
class QWidget;

namespace vantrel {

// The setup pages' layout: the group on the left, the buttons stacked at the top right.
void PlaceBesideButtonColumn(QDialog& dialog, QWidget* group, std::initializer_list<QPushButton*> buttons);

}  // namespace vantrel
