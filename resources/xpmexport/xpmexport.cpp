// Build-time tool of every edition: turns the program's XPM drawings into the picture files each
// platform takes. The Windows icon holds 32-bit images with alpha (the 256-pixel one as PNG, which
// Windows takes from Vista on, for a small part of the size); the About picture is the 24-bit BMP
// that the resource compiler takes; PNG files at any size serve the desktop's icon theme. Each
// pixel is repeated or dropped, so the edges stay hard. It runs on the build machine, also in a
// cross build, so it needs nothing but the standard library and libpng.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <png.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// In the order of libpng's RGBA rows.
struct Pixel {
    std::uint8_t red, green, blue, alpha;
};
static_assert(sizeof(Pixel) == 4);

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
    void append(const Bytes &more) { data_.append(more.data_); }
    void append(const std::string &more) { data_.append(more); }
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

// 8-bit RGBA rows, compressed by libpng; nothing when libpng fails, which says why.
Bytes pngImage(const Image &image)
{
    png_image header {};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = PNG_FORMAT_RGBA;
    std::string png(PNG_IMAGE_PNG_SIZE_MAX(header), '\0');
    png_alloc_size_t size = png.size();
    Bytes result;
    if (png_image_write_to_memory(&header, png.data(), &size, 0, image.pixels.data(), 0, nullptr)) {
        png.resize(size);
        result.append(png);
    } else {
        std::cerr << "xpmexport: libpng: " << header.message << '\n';
    }
    return result;
}

// Nothing when one of the images could not be made.
Bytes iconFile(const Image &image, const std::vector<int> &sizes)
{
    Bytes directory, images;
    directory.u16(0);
    directory.u16(1); // an icon, not a cursor
    directory.u16(static_cast<unsigned>(sizes.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
    for (int size : sizes) {
        const Bytes one =
            size >= 256 ? pngImage(scaled(image, size)) : iconImage(scaled(image, size));
        if (one.size() == 0)
            return {};
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
    return directory;
}

Bytes bitmapFile(const Image &image)
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
    return file;
}

// The sizes after the file names; nothing if one is not a size of this kind of file.
std::vector<int> sizeArguments(int argc, char *argv[], int largest)
{
    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
        if (sizes.back() < 1 || sizes.back() > largest) {
            std::cerr << "xpmexport: " << argv[i] << " is not a size from 1 to " << largest
                      << " pixels\n";
            return {};
        }
    }
    return sizes;
}

// Scaled pictures are square, as the icons are: so is the drawing.
Bytes exported(const std::string &kind, const Image &image, const std::vector<int> &sizes)
{
    if (kind == "bitmap")
        return bitmapFile(image);
    if (image.width != image.height) {
        std::cerr << "xpmexport: the drawing is not square\n";
        return {};
    }
    return kind == "icon" ? iconFile(image, sizes) : pngImage(scaled(image, sizes.front()));
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string kind = argc > 1 ? argv[1] : "";
    const int sizeCount = argc - 4;
    if (!(kind == "icon" && sizeCount > 0) && !(kind == "bitmap" && sizeCount == 0)
        && !(kind == "png" && sizeCount == 1)) {
        std::cerr << "usage: xpmexport icon IN.xpm OUT.ico SIZE...\n"
                     "       xpmexport bitmap IN.xpm OUT.bmp\n"
                     "       xpmexport png IN.xpm OUT.png SIZE\n";
        return 2;
    }
    const std::vector<int> sizes = sizeArguments(argc, argv, kind == "icon" ? 256 : 4096);
    if (static_cast<int>(sizes.size()) != sizeCount)
        return 2;
    Image image;
    if (!readXpm(argv[2], image)) {
        std::cerr << "xpmexport: cannot read " << argv[2] << '\n';
        return 1;
    }
    const Bytes file = exported(kind, image, sizes);
    if (file.size() == 0 || !file.writeTo(argv[3])) {
        std::cerr << "xpmexport: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
