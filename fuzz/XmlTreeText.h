#pragma once
// The whole tree of a parsed document as one text: status, declaration,
// header comments and, element by element, the stored and decoded name,
// attributes, and the comments, contents and CDATA sections with their
// positions. Two readers that build the same tree give the same text.
#include <string>
#include <vector>

template <class Element>
void AppendElementText(const Element* element, std::string& out)
{
    struct Frame {
        const Element* element;
        int depth;
    };
    std::vector<Frame> pending{{element, 0}};
    while (!pending.empty()) {
        Frame frame = pending.back();
        pending.pop_back();
        const Element* e = frame.element;
        std::string indent(static_cast<size_t>(frame.depth), ' ');
        std::vector<char> raw(e->GetElementName() + 1);
        e->GetElementName(raw.data(), true);
        out += indent + "element [" + std::string(raw.data()) + "] [" + e->Name() + "] parent " +
               (e->GetParent() ? "yes" : "no") + "\n";
        for (const auto& attribute : e->GetAttributes())
            out += indent + " attribute [" + std::string(attribute->GetName()) + "]=[" +
                   std::string(attribute->GetValue()) + "]" + (attribute->GetOwner() == e ? "" : " foreign") + "\n";
        for (const auto& comment : e->GetComments())
            out += indent + " comment @" + std::to_string(comment->GetPosition()) + " [" +
                   std::string(comment->GetText()) + "]\n";
        for (const auto& content : e->GetContents()) {
            std::vector<char> value(content->GetValue() + 1);
            content->GetValue(value.data());
            out += indent + " content @" + std::to_string(content->GetPosition()) + " [" +
                   std::string(content->GetText()) + "] -> [" + std::string(value.data()) + "]\n";
        }
        for (const auto& cdata : e->GetCData())
            out += indent + " cdata @" + std::to_string(cdata->GetPosition()) + " [" +
                   std::string(cdata->GetText()) + "]\n";
        out += indent + " children " + std::to_string(e->GetChildrenCount()) + "\n";
        const auto& children = e->GetChildren();
        for (size_t i = children.size(); i-- > 0;)
            pending.push_back(Frame{&*children[i], frame.depth + 1});
    }
}

template <class Document>
std::string DocumentTreeText(const Document& document)
{
    std::string out = "status " + std::to_string(document.GetStatus()) + " valid " +
                      (document.IsValid() ? "yes" : "no") + "\n";
    out += "declaration [" + document.GetHeader()->GetDeclaration() + "]\n";
    for (const auto& comment : document.GetHeader()->GetComments())
        out += "header comment @" + std::to_string(comment->GetPosition()) + " [" +
               std::string(comment->GetText()) + "]\n";
    if (document.GetRootElement())
        AppendElementText(document.GetRootElement(), out);
    else
        out += "no root\n";
    return out;
}
