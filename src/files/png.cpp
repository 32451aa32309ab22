// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/png.h"

#include "core/input_file.h"
#include "core/surface.h"
#include "files/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <png.h>

namespace morv {

namespace {

// The renderer's largest image, a poster of several orbits (the desktop
// program stops at 4000); the reader refuses wider ones rather than allocate
// for a forged header.
constexpr png_uint_32 kMaxSide = 32768;

struct ErrorSink {
    char message[200] = "unknown error";
};

void on_error(png_structp png, png_const_charp message) {
    auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

// Damage that matters ends in on_error; warnings would only clutter stderr.
void on_warning(png_structp, png_const_charp) {}

// Runs libpng calls with its error jump armed: true when they all finished.
// An error leaves `work` by longjmp, so its frame must hold nothing with a
// destructor; everything that owns memory lives in the caller.
template <class Work> bool guarded(png_structp png, Work&& work) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    work();
    return true;
}

// The private chunks' names, one after the other, as libpng wants a list.
constexpr char kPrivateChunkNames[] = "moRv\0moVw\0moRc";
constexpr int kPrivateChunks = 3;
static_assert(sizeof kPngRecordChunk == 5 && sizeof kPngViewChunk == 5 &&
              sizeof kPngRecipeChunk == 5);

png_const_bytep private_chunk_names() {
    return reinterpret_cast<png_const_bytep>(kPrivateChunkNames);
}

void on_write(png_structp png, png_bytep data, std::size_t size) {
    if (!static_cast<AtomicFile*>(png_get_io_ptr(png))->write(data, size))
        png_error(png, "write failed");
}

void on_flush(png_structp) {}

struct WriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteStructs() { png_destroy_write_struct(&png, &info); }
};

struct ReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
};

// libpng's text structures want writable strings.
std::vector<char> c_string(const std::string& s) {
    std::vector<char> v(s.begin(), s.end());
    v.push_back('\0');
    return v;
}

// Walks the chunk headers from just after the signature and puts the file
// back there. libpng allocates a text chunk's declared length before reading
// it, so a few forged bytes could claim gigabytes: no chunk may claim more
// bytes than the file still holds.
bool chunks_fit(std::FILE* in, std::string& reason) {
    const long start = std::ftell(in);
    if (start < 0 || std::fseek(in, 0, SEEK_END) != 0) {
        reason = "cannot read the image";
        return false;
    }
    const long long size = std::ftell(in);
    long long at = start;
    bool fits = true, ended = false;
    while (fits && !ended && at + 8 <= size) {
        std::uint8_t head[8]{};
        fits =
            std::fseek(in, static_cast<long>(at), SEEK_SET) == 0 && std::fread(head, 1, 8, in) == 8;
        const long long length = png_get_uint_32(head);
        fits = fits && at + 12 + length <= size;
        ended = std::memcmp(head + 4, "IEND", 4) == 0;
        at += 12 + length;
    }
    if (!fits || !ended) reason = "the PNG image ends early (a truncated file)";
    return std::fseek(in, start, SEEK_SET) == 0 && fits && ended;
}

} // namespace

bool is_png_signature(std::span<const std::uint8_t> head) {
    return head.size() >= 8 && png_sig_cmp(head.data(), 0, 8) == 0;
}

namespace {

// What goes into a PNG beside its pixels.
struct PngExtras {
    std::span<const std::uint8_t> record, view, recipe;
    const std::string& description;
    const std::string& summary;
};

int write_png_to(AtomicFile& file, const PngPixels& pixels, const std::string& path,
                 const PngExtras& extras) {
    if (!file.open(path)) return 1;
    std::vector<png_byte> line, chunk, view_chunk, recipe_chunk;
    std::vector<std::uint16_t> values;
    std::vector<char> software_key, software, description_key, description_text, summary_key,
        summary_text;
    const int res = pixels.side;
    const std::size_t channels = pixels.alpha ? 4 : 3;
    const bool wide = pixels.depth == 16;
    try {
        values.assign(static_cast<std::size_t>(res) * channels, 0);
        line.assign(values.size() * (wide ? 2 : 1), 0);
        chunk.assign(extras.record.begin(), extras.record.end());
        view_chunk.assign(extras.view.begin(), extras.view.end());
        recipe_chunk.assign(extras.recipe.begin(), extras.recipe.end());
        software_key = c_string("Software");
        software = c_string("Morvane");
        description_key = c_string("Description");
        description_text = c_string(extras.description);
        summary_key = c_string(kPngSummaryKey);
        summary_text = c_string(extras.summary);
    } catch (const std::bad_alloc&) {
        return 2;
    }
    ErrorSink sink;
    WriteStructs w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, on_error, on_warning);
    if (w.png == nullptr) return 2;
    w.info = png_create_info_struct(w.png);
    if (w.info == nullptr) return 2;

    png_text texts[3]{};
    for (png_text& t : texts)
        t.compression = PNG_TEXT_COMPRESSION_NONE;
    texts[0].key = software_key.data();
    texts[0].text = software.data();
    texts[1].key = description_key.data();
    texts[1].text = description_text.data();
    texts[2].key = summary_key.data();
    texts[2].text = summary_text.data();
    const int ntexts = extras.summary.empty() ? 2 : 3;
    png_unknown_chunk unknown[kPrivateChunks]{};
    int nunknown = 0;
    for (auto [name, bytes] : {std::pair{kPngRecordChunk, &chunk},
                               {kPngViewChunk, &view_chunk},
                               {kPngRecipeChunk, &recipe_chunk}}) {
        if (bytes->empty()) continue;
        png_unknown_chunk& u = unknown[nunknown++];
        std::memcpy(u.name, name, sizeof u.name);
        u.data = bytes->data();
        u.size = bytes->size();
        u.location = PNG_HAVE_IHDR; // before the pixels: a reader finds it early
    }

    const bool written = guarded(w.png, [&] {
        png_set_write_fn(w.png, &file, on_write, on_flush);
        png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(res), static_cast<png_uint_32>(res),
                     wide ? 16 : 8, pixels.alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_text(w.png, w.info, texts, ntexts);
        if (nunknown > 0) {
            png_set_keep_unknown_chunks(w.png, PNG_HANDLE_CHUNK_ALWAYS, private_chunk_names(),
                                        kPrivateChunks);
            png_set_unknown_chunks(w.png, w.info, unknown, nunknown);
        }
        png_write_info(w.png, w.info);
        for (int y = 0; y < res; ++y) {
            pixels.row(y, values.data());
            // PNG stores 16-bit values most significant byte first.
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (wide) {
                    line[2 * i] = static_cast<png_byte>(values[i] >> 8);
                    line[2 * i + 1] = static_cast<png_byte>(values[i] & 0xFF);
                } else {
                    line[i] = static_cast<png_byte>(values[i]);
                }
            }
            png_write_row(w.png, line.data());
        }
        png_write_end(w.png, w.info);
    });
    return written && file.commit() ? 0 : 3;
}

} // namespace

int writepng(const Surface& canvas, int res, const std::string& path,
             std::span<const std::uint8_t> record, const std::string& description,
             std::string* reason, std::span<const std::uint8_t> view,
             std::span<const std::uint8_t> recipe, const std::string& summary) {
    PngPixels pixels;
    pixels.side = res;
    pixels.row = [&canvas, res](int y, std::uint16_t* values) {
        for (int x = 0; x < res; ++x) {
            const Rgb c = canvas.get_pixel(x, y);
            values[3 * x] = static_cast<std::uint16_t>(red_of(c));
            values[3 * x + 1] = static_cast<std::uint16_t>(green_of(c));
            values[3 * x + 2] = static_cast<std::uint16_t>(blue_of(c));
        }
    };
    return writepng(pixels, path, record, description, reason, view, recipe, summary);
}

int writepng(const PngPixels& pixels, const std::string& path, std::span<const std::uint8_t> record,
             const std::string& description, std::string* reason,
             std::span<const std::uint8_t> view, std::span<const std::uint8_t> recipe,
             const std::string& summary) {
    const int res = pixels.side;
    if (res < 1 || res > static_cast<int>(kMaxSide) || (pixels.depth != 8 && pixels.depth != 16)) {
        if (reason != nullptr) *reason = "no PNG file of this program holds an image of this size";
        return 1;
    }
    AtomicFile file;
    const int rc =
        write_png_to(file, pixels, path, PngExtras{record, view, recipe, description, summary});
    if (rc != 0 && reason != nullptr)
        *reason = file.error().empty() ? std::string(std::strerror(rc == 2 ? ENOMEM : EIO))
                                       : file.error();
    return rc;
}

bool readpng(const std::string& path, PngContents& out, bool with_pixels, std::string& reason) {
    std::string why;
    const InputStream in = open_input_stream(path, why);
    if (!in) {
        reason = "cannot open " + path + ": " + why;
        return false;
    }
    return readpng(in.get(), out, with_pixels, reason);
}

namespace {

constexpr const char* kNoMemoryToRead = "not enough memory to read the image";

// What the header says, after the transforms to 8-bit RGB are set up.
struct PngShape {
    png_uint_32 width = 0, height = 0;
    int passes = 1;
};

// Called under guarded(): nothing here may own memory.
void read_header(const ReadStructs& r, std::FILE* in, PngShape& shape) {
    png_init_io(r.png, in);
    png_set_sig_bytes(r.png, 8);
    png_set_user_limits(r.png, kMaxSide, kMaxSide);
    // A damaged chunk of any kind refuses the file: a record whose
    // checksum fails must not be quietly dropped or used.
    png_set_crc_action(r.png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_ALWAYS, private_chunk_names(),
                                kPrivateChunks);
    png_read_info(r.png, r.info);
    png_set_expand(r.png);
    png_set_strip_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_strip_alpha(r.png);
    shape.passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    shape.width = png_get_image_width(r.png, r.info);
    shape.height = png_get_image_height(r.png, r.info);
}

// Called under guarded(). Without the pixels every row still passes through
// one buffer, so that every chunk's checksum is checked.
void read_rows(const ReadStructs& r, const PngShape& shape, bool with_pixels,
               std::vector<png_bytep>& rows) {
    if (with_pixels)
        png_read_image(r.png, rows.data());
    else
        for (int pass = 0; pass < shape.passes; ++pass)
            for (png_uint_32 y = 0; y < shape.height; ++y)
                png_read_row(r.png, rows[0], nullptr);
    png_read_end(r.png, r.info);
}

// One row, or all of them when the pixels are wanted; false without memory.
bool allocate_rows(const PngShape& shape, bool with_pixels, std::vector<png_byte>& image,
                   std::vector<png_bytep>& rows) {
    const std::size_t row_bytes = static_cast<std::size_t>(shape.width) * 3;
    try {
        image.resize(row_bytes * (with_pixels ? shape.height : 1));
        rows.resize(with_pixels ? shape.height : 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = image.data() + y * row_bytes;
    return true;
}

// The parameter record, the view window and the recipe; a second copy of
// any of them refuses the file.
bool take_private_chunks(const ReadStructs& r, PngContents& out, std::string& reason) {
    png_unknown_chunkp chunks = nullptr;
    const int nchunks = png_get_unknown_chunks(r.png, r.info, &chunks);
    const struct {
        const char* name;
        std::optional<std::vector<std::uint8_t>>* slot;
        const char* what;
    } kinds[] = {{kPngRecordChunk, &out.record, "parameter record"},
                 {kPngViewChunk, &out.view, "view window"},
                 {kPngRecipeChunk, &out.recipe, "recipe"}};
    for (int i = 0; i < nchunks; ++i) {
        const auto* kind = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) {
            return std::memcmp(chunks[i].name, k.name, 4) == 0;
        });
        if (kind == std::end(kinds)) continue;
        auto& slot = *kind->slot;
        if (slot) {
            reason = std::string("more than one ") + kind->what + " in one PNG image";
            return false;
        }
        slot.emplace(chunks[i].data, chunks[i].data + chunks[i].size);
    }
    return true;
}

std::string description_of(const ReadStructs& r) {
    std::string description;
    png_textp texts = nullptr;
    const int ntexts = png_get_text(r.png, r.info, &texts, nullptr);
    for (int i = 0; i < ntexts; ++i)
        if (std::strcmp(texts[i].key, "Description") == 0 && texts[i].text != nullptr)
            description = texts[i].text;
    return description;
}

bool unpack_pixels(const std::vector<png_byte>& image, const PngShape& shape,
                   std::vector<Rgb>& pixels) {
    try {
        pixels.resize(static_cast<std::size_t>(shape.width) * shape.height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = rgb(image[3 * i], image[3 * i + 1], image[3 * i + 2]);
    return true;
}

// The signature, then every chunk's length against the file's size.
bool framing_sound(std::FILE* in, std::string& reason) {
    std::uint8_t signature[8]{};
    if (std::fread(signature, 1, 8, in) != 8 || !is_png_signature(signature)) {
        reason = "not a PNG image";
        return false;
    }
    return chunks_fit(in, reason);
}

bool create_read_structs(ReadStructs& r, ErrorSink& sink) {
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, on_error, on_warning);
    if (r.png != nullptr) r.info = png_create_info_struct(r.png);
    return r.info != nullptr;
}

// What libpng read into `out` once the whole file has been read.
bool fill_contents(const ReadStructs& r, const PngShape& shape, const std::vector<png_byte>& image,
                   bool with_pixels, PngContents& out, std::string& reason) {
    out = PngContents{};
    out.width = static_cast<int>(shape.width);
    out.height = static_cast<int>(shape.height);
    if (!take_private_chunks(r, out, reason)) return false;
    out.description = description_of(r);
    if (with_pixels && !unpack_pixels(image, shape, out.pixels)) {
        reason = kNoMemoryToRead;
        return false;
    }
    return true;
}

} // namespace

bool readpng(std::FILE* in, PngContents& out, bool with_pixels, std::string& reason) {
    if (!framing_sound(in, reason)) return false;
    ErrorSink sink;
    ReadStructs r;
    if (!create_read_structs(r, sink)) {
        reason = kNoMemoryToRead;
        return false;
    }
    auto damaged = [&] {
        reason = std::feof(in) != 0 ? std::string("the PNG image ends early (a truncated file)")
                                    : std::string("a damaged PNG image: ") + sink.message;
        return false;
    };
    PngShape shape;
    if (!guarded(r.png, [&] { read_header(r, in, shape); })) return damaged();
    std::vector<png_byte> image;
    std::vector<png_bytep> rows;
    if (!allocate_rows(shape, with_pixels, image, rows)) {
        reason = kNoMemoryToRead;
        return false;
    }
    if (!guarded(r.png, [&] { read_rows(r, shape, with_pixels, rows); })) return damaged();
    return fill_contents(r, shape, image, with_pixels, out, reason);
}

} // namespace morv
