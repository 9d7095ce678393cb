// Build-time tool of the Windows edition: turns the program's XPM drawings into the icon file
// (32-bit images with alpha, each pixel repeated or dropped so the edges stay hard; the 256-pixel
// one as PNG, which Windows takes from Vista on, for a twentieth of the size) and the About
// picture (a 24-bit BMP) that the resource compiler takes. It runs on the build machine, so it
// uses nothing but the standard library.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Pixel {
    std::uint8_t red, green, blue, alpha;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    const Pixel &at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The quoted strings of an XPM file, in order: the header, the colours, the rows.
std::vector<std::string> quotedStrings(std::istream &in)
{
    std::vector<std::string> strings;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t open = line.find('"');
        const std::size_t close = line.find('"', open + 1);
        if (open != std::string::npos && close != std::string::npos)
            strings.push_back(line.substr(open + 1, close - open - 1));
    }
    return strings;
}

// "#RRGGBB" or "None", after the key "c".
bool readColour(const std::string &text, Pixel &pixel)
{
    std::istringstream words(text);
    std::string key, value;
    if (!(words >> key >> value) || key != "c")
        return false;
    if (value == "None") {
        pixel = { 0, 0, 0, 0 };
        return true;
    }
    if (value.size() != 7 || value[0] != '#')
        return false;
    const unsigned long rgb = std::stoul(value.substr(1), nullptr, 16);
    pixel = { static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
        static_cast<std::uint8_t>(rgb), 255 };
    return true;
}

bool readXpm(const char *path, Image &image)
{
    std::ifstream in(path);
    const std::vector<std::string> strings = quotedStrings(in);
    int colours = 0, perPixel = 0;
    if (strings.empty()
        || !(std::istringstream(strings[0]) >> image.width >> image.height >> colours >> perPixel)
        || image.width <= 0 || image.height <= 0 || perPixel <= 0
        || strings.size() != static_cast<std::size_t>(1 + colours + image.height))
        return false;
    std::map<std::string, Pixel> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string &entry = strings[static_cast<std::size_t>(i)];
        if (entry.size() < static_cast<std::size_t>(perPixel)
            || !readColour(entry.substr(static_cast<std::size_t>(perPixel)),
                palette[entry.substr(0, static_cast<std::size_t>(perPixel))]))
            return false;
    }
    for (int y = 0; y < image.height; ++y) {
        const std::string &row = strings[static_cast<std::size_t>(1 + colours + y)];
        if (row.size() != static_cast<std::size_t>(image.width * perPixel))
            return false;
        for (int x = 0; x < image.width; ++x) {
            const auto found = palette.find(row.substr(
                static_cast<std::size_t>(x * perPixel), static_cast<std::size_t>(perPixel)));
            if (found == palette.end())
                return false;
            image.pixels.push_back(found->second);
        }
    }
    return true;
}

// Nearest neighbour, so that no colour is made up.
Image scaled(const Image &image, int size)
{
    Image result { size, size, {} };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            result.pixels.push_back(image.at(x * image.width / size, y * image.height / size));
    }
    return result;
}

// Little-endian, as every Windows file format.
class Bytes {
public:
    void u8(unsigned value) { data_.push_back(static_cast<char>(value & 0xff)); }
    void u16(unsigned value)
    {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xffff);
        u16(value >> 16);
    }
    void bigEndian32(std::uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            u8(value >> shift);
    }
    void append(const Bytes &more) { data_.append(more.data_); }
    const std::string &data() const { return data_; }
    std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
    bool writeTo(const char *path) const
    {
        std::ofstream out(path, std::ios::binary);
        return static_cast<bool>(out.write(data_.data(), static_cast<std::streamsize>(size())));
    }

private:
    std::string data_;
};

void infoHeader(
    Bytes &out, const Image &image, int heightFactor, unsigned bitCount, std::uint32_t imageSize)
{
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(image.width));
    out.u32(static_cast<std::uint32_t>(image.height * heightFactor));
    out.u16(1);
    out.u16(bitCount);
    out.u32(0); // uncompressed
    out.u32(imageSize);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
}

// One icon image: the colour rows with alpha, then the mask of the transparent pixels, both
// bottom-up and the mask's rows padded to 32 bits.
Bytes iconImage(const Image &image)
{
    const int maskStride = (image.width + 31) / 32 * 4;
    Bytes colour, mask;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<unsigned> maskRow(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < image.width; ++x) {
            const Pixel &p = image.at(x, y);
            colour.u8(p.blue);
            colour.u8(p.green);
            colour.u8(p.red);
            colour.u8(p.alpha);
            if (p.alpha == 0)
                maskRow[static_cast<std::size_t>(x / 8)] |= 0x80u >> (x % 8);
        }
        for (unsigned byte : maskRow)
            mask.u8(byte);
    }
    Bytes result;
    infoHeader(result, image, 2, 32, colour.size() + mask.size());
    result.append(colour);
    result.append(mask);
    return result;
}

// A zlib stream of one deflate block in the fixed Huffman codes. Every repeat reaches back one
// pixel, which the rows of a drawing scaled up pixel by pixel are full of once each is taken as
// its difference from the row above; only the lengths without extra bits are used.
Bytes zlibStream(const std::string &data)
{
    Bytes out;
    out.u8(0x78); // deflate, 32 KiB window
    out.u8(0x01);
    unsigned byte = 0;
    int used = 0;
    // Bits fill bytes from their lowest; Huffman codes go in from their top bit.
    const auto put = [&](unsigned code, int length) {
        while (length-- > 0) {
            byte |= (code >> length & 1) << used;
            if (++used == 8) {
                out.u8(byte);
                byte = 0;
                used = 0;
            }
        }
    };
    put(0b110, 3); // the last block, fixed codes
    for (std::size_t i = 0; i < data.size();) {
        std::size_t run = 0;
        while (i >= 4 && i + run < data.size() && run < 258 && data[i + run] == data[i + run - 4])
            ++run;
        const auto literal = static_cast<unsigned char>(data[i]);
        if (run < 3) {
            put(literal < 144 ? 0x30 + literal : 0x190 + literal - 144, literal < 144 ? 8 : 9);
            ++i;
            continue;
        }
        if (run == 258) {
            put(0xc5, 8);
        } else {
            run = std::min<std::size_t>(run, 10);
            put(static_cast<unsigned>(run) - 2, 7); // 3 to 10: the codes 257 to 264
        }
        put(3, 5); // distance 4
        i += run;
    }
    put(0, 7); // the end of the block
    if (used > 0)
        out.u8(byte);
    std::uint32_t a = 1, b = 0;
    for (const char c : data) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    out.bigEndian32(b << 16 | a);
    return out;
}

void pngChunk(Bytes &png, const char *type, const Bytes &content)
{
    Bytes typed;
    for (int i = 0; i < 4; ++i)
        typed.u8(static_cast<unsigned char>(type[i]));
    typed.append(content);
    std::uint32_t crc = 0xffffffff;
    for (const char c : typed.data()) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320 : crc >> 1;
    }
    png.bigEndian32(content.size());
    png.append(typed);
    png.bigEndian32(~crc);
}

// RGBA rows from the top, each as its difference from the row above (filter 2).
Bytes pngImage(const Image &image)
{
    Bytes rows, header, png;
    for (int y = 0; y < image.height; ++y) {
        rows.u8(2);
        for (int x = 0; x < image.width; ++x) {
            const Pixel &p = image.at(x, y);
            const Pixel above = y > 0 ? image.at(x, y - 1) : Pixel {};
            rows.u8(p.red - above.red);
            rows.u8(p.green - above.green);
            rows.u8(p.blue - above.blue);
            rows.u8(p.alpha - above.alpha);
        }
    }
    header.bigEndian32(static_cast<std::uint32_t>(image.width));
    header.bigEndian32(static_cast<std::uint32_t>(image.height));
    for (const unsigned byte : { 8, 6, 0, 0, 0 }) // 8 bits a channel, RGBA, no interlacing
        header.u8(byte);
    for (const unsigned byte :
        { 0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a }) // \x89PNG\r\n\x1a\n
        png.u8(byte);
    pngChunk(png, "IHDR", header);
    pngChunk(png, "IDAT", zlibStream(rows.data()));
    pngChunk(png, "IEND", {});
    return png;
}

bool writeIcon(const Image &image, const std::vector<int> &sizes, const char *path)
{
    Bytes directory, images;
    directory.u16(0);
    directory.u16(1); // an icon, not a cursor
    directory.u16(static_cast<unsigned>(sizes.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
    for (int size : sizes) {
        const Bytes one =
            size >= 256 ? pngImage(scaled(image, size)) : iconImage(scaled(image, size));
        directory.u8(size >= 256 ? 0 : static_cast<unsigned>(size)); // 0 stands for 256
        directory.u8(size >= 256 ? 0 : static_cast<unsigned>(size));
        directory.u8(0);
        directory.u8(0);
        directory.u16(1);
        directory.u16(32);
        directory.u32(one.size());
        directory.u32(offset);
        offset += one.size();
        images.append(one);
    }
    directory.append(images);
    return directory.writeTo(path);
}

bool writeBitmap(const Image &image, const char *path)
{
    const int stride = (image.width * 3 + 3) / 4 * 4;
    Bytes rows;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel &p = image.at(x, y);
            rows.u8(p.blue);
            rows.u8(p.green);
            rows.u8(p.red);
        }
        for (int pad = image.width * 3; pad < stride; ++pad)
            rows.u8(0);
    }
    Bytes file;
    file.u8('B');
    file.u8('M');
    file.u32(14 + 40 + rows.size());
    file.u32(0);
    file.u32(14 + 40);
    infoHeader(file, image, 1, 24, rows.size());
    file.append(rows);
    return file.writeTo(path);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string kind = argc > 1 ? argv[1] : "";
    if (argc < 4 || (kind != "icon" && kind != "bitmap") || (kind == "icon") != (argc > 4)) {
        std::cerr << "usage: xpmconvert icon IN.xpm OUT.ico SIZE...\n"
                     "       xpmconvert bitmap IN.xpm OUT.bmp\n";
        return 2;
    }
    Image image;
    if (!readXpm(argv[2], image)) {
        std::cerr << "xpmconvert: cannot read " << argv[2] << '\n';
        return 1;
    }
    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
        if (sizes.back() < 1 || sizes.back() > 256) {
            std::cerr << "xpmconvert: an icon is 1 to 256 pixels wide, not " << argv[i] << '\n';
            return 2;
        }
    }
    const bool written =
        kind == "icon" ? writeIcon(image, sizes, argv[3]) : writeBitmap(image, argv[3]);
    if (!written) {
        std::cerr << "xpmconvert: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
