#include "PushButtonStyle.h"

QString PushButtonStyle::styleSheet()
{
    return QStringLiteral(
        "QPushButton {    background-color: white;    color: black;    border: 1px solid #ddd;    "
        "padding: 6px 12px;    font-family: Arial, sans-serif;    font-size: 11px;    "
        "font-weight: normal;    border-radius: 3px;}QPushButton:hover {    background-color: "
        "#f0f0f0;    border: 1px solid #bbb;}QPushButton:pressed {    background-color: #e0e0e0;"
        "    border: 1px solid #999;}QPushButton:disabled {    background-color: #f5f5f5;    "
        "color: #999;    border: 1px solid #ddd;}QPushButton:default {    border: 2px solid "
        "#4CAF50;}");
}
