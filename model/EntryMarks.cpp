#include "model/EntryMarks.h"

#include <cctype>

std::string EntryMarkText(bool isDefault, bool isRunning, bool safeMode)
{
    std::string text;
    if (isDefault && isRunning)
        text = "Default, running now";
    else if (isDefault)
        text = "Default";
    else if (isRunning)
        text = "Running now";
    if (safeMode)
        text += text.empty() ? "Starts in safe mode" : ", starts in safe mode";
    return text;
}

std::string DeleteEntryQuestion(const std::string& description, const std::string& identifier,
                                bool isDefault, bool isRunning)
{
    std::string text = "Are you sure you want to delete this entry?\n\n";
    if (!description.empty())
        text += "\"" + description + "\"\n";
    text += identifier;
    if (isRunning)
        text += "\n\nThis is the Windows that is running now.";
    if (isDefault)
        text += "\n\nThis is the default entry: the boot manager starts it when nobody chooses "
                "another. Choose a new default entry afterwards.";
    return text;
}

std::string JoinNotes(const std::vector<std::string>& notes)
{
    std::string text;
    for (std::string note : notes) {
        if (note.empty())
            continue;
        if (!text.empty()) {
            note[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(note[0])));
            text += ", ";
        }
        text += note;
    }
    return text;
}

std::string EntryName(const std::string& description, const std::string& identifier)
{
    return description.empty() ? identifier : "\"" + description + "\" " + identifier;
}
