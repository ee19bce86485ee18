#pragma once

// What a byte can mean to the reader, looked up once per byte.
struct XmlByteClasses {
    static constexpr unsigned char kNameEnd = 1;  // ends an element's name
    static constexpr unsigned char kEncoded = 2;  // written as a reference in a stored name
    static constexpr unsigned char kSpace = 4;    // white space around texts

    unsigned char kind[256];

    constexpr XmlByteClasses() : kind()
    {
        for (char c : {' ', '\t', '/', '>', '"'})
            kind[static_cast<unsigned char>(c)] |= kNameEnd;
        for (char c : {'&', '<', '\''})
            kind[static_cast<unsigned char>(c)] |= kEncoded;
        for (char c : {' ', '\t', '\n', '\r'})
            kind[static_cast<unsigned char>(c)] |= kSpace;
    }
    unsigned char operator[](char c) const { return kind[static_cast<unsigned char>(c)]; }
};

inline constexpr XmlByteClasses kXmlBytes;
