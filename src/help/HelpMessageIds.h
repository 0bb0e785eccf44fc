#pragma once

// Texts of the help window and of the help keys.
namespace HelpText {
enum : int
{
    ContentsTab = 8200,
    SearchTab = 8201,
    Back = 8202,
    Forward = 8203,
    Home = 8204,
    SearchButton = 8205,
    NoResults = 8206, // "%1" = the words searched for
    WhatsThis = 8207,
    SearchHint = 8208,
    WhatsThisMode = 8209, // status tip while the next click picks a control
};
} // namespace HelpText
