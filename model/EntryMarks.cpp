#include "model/EntryMarks.h"

std::string EntryMarkText(bool isDefault, bool isRunning)
{
    if (isDefault && isRunning)
        return "Default, running now";
    if (isDefault)
        return "Default";
    return isRunning ? "Running now" : std::string();
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
