// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ImageFile.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>
#include <map>

#include "core/GLError.h"
#include "core/Log.h"
#include "platform/Mipmap.h"
#include "platform/Resources.h"

namespace {

constexpr int kMaxTextureSize = 1024;
// Larger images are refused before decoding, so that a damaged or hostile file cannot make the
// game allocate gigabytes.
constexpr int kMaxImageSize = 16384;
constexpr unsigned kTypePNG = ('P' << 24) | ('N' << 16) | ('G' << 8) | 'f';

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

struct PngReader {
  const std::vector<unsigned char>* data;
  size_t offset;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->data->size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
  memcpy(out, reader->data->data() + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

using TexStorage2D = void (*)(GLenum, GLsizei, GLenum, GLsizei, GLsizei);

// glTexStorage2D where the current context has it, else null.
TexStorage2D TextureStorage() {
  if (!SDL_GL_ExtensionSupported("GL_ARB_texture_storage")) return nullptr;
  return reinterpret_cast<TexStorage2D>(SDL_GL_GetProcAddress("glTexStorage2D"));
}

void LogErrorCode(const char* format, int code) {
  char line[64];
  snprintf(line, sizeof(line), format, code);
  LogError(line);
}

}  // namespace

int Power2Ceiling(int n) {
  if (n <= 1) return std::max(n, 0);
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

std::unique_ptr<ImageFile> ImageFile::WithName(const char* name) {
  std::unique_ptr<ImageFile> image(new ImageFile());
  if (!image->SetImageWithName(name)) return nullptr;
  return image;
}

ImageFile::~ImageFile() {
  Reset();
}

// Learns the natural size and depth from the PNG header, without decoding the pixels.
bool ImageFile::SetImageWithName(const char* name) {
  m_path = ResourcePath("Images", name);
  if (m_path.empty()) return false;
  unsigned char header[26];
  std::ifstream in(m_path, std::ios::binary);
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!in.read(reinterpret_cast<char*>(header), sizeof(header)) ||
      memcmp(header, kSignature, 8) != 0 || memcmp(header + 12, "IHDR", 4) != 0) {
    LogErrorCode("error getting type %d", -1);
    return false;
  }
  const uint32_t width = BigEndian32(header + 16);
  const uint32_t height = BigEndian32(header + 20);
  if (width == 0 || height == 0 || width > kMaxImageSize || height > kMaxImageSize) {
    LogErrorCode("error getting type %d", -2);
    return false;
  }
  static const unsigned kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  const unsigned colorType = header[25];
  m_imageType = kTypePNG;
  m_imageWidth = static_cast<int>(width);
  m_imageHeight = static_cast<int>(height);
  m_imageBitDepth = header[24] * (colorType < 7 ? kChannels[colorType] : 0);
  return true;
}

bool ImageFile::LoadImageData() {
  std::ifstream in(m_path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff length = in.tellg();
  if (length <= 0) return false;
  in.seekg(0);
  try {
    m_imageData.resize(static_cast<size_t>(length));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!in.read(reinterpret_cast<char*>(m_imageData.data()), length)) {
    m_imageData.clear();
    return false;
  }
  return true;
}

bool ImageFile::CreateImageWithBitdepth(unsigned bitDepth) {
  const int width = std::min(Power2Ceiling(m_imageWidth), kMaxTextureSize);
  const int height = std::min(Power2Ceiling(m_imageHeight), kMaxTextureSize);
  if (!Surface() || BufferWidth() != width || BufferHeight() != height ||
      BufferBitDepth() != bitDepth) {
    if (!CreateImageBuffer(width, height, bitDepth)) return false;
  }
  if (m_imageData.empty() && !LoadImageData()) return false;
  if (bitDepth == 32 && width == m_imageWidth && height == m_imageHeight) {
    m_imageLoaded = DecodeUpsideDown();
    ReleaseImageData();
    return m_imageLoaded;
  }

  PngReader reader{&m_imageData, 0};
  cairo_surface_t* decoded = cairo_image_surface_create_from_png_stream(ReadPng, &reader);
  const cairo_status_t status = cairo_surface_status(decoded);
  if (status != CAIRO_STATUS_SUCCESS || cairo_image_surface_get_width(decoded) != m_imageWidth ||
      cairo_image_surface_get_height(decoded) != m_imageHeight) {
    LogErrorCode("err: set error = %d", static_cast<int>(status));
    cairo_surface_destroy(decoded);
    ReleaseImageData();
    return false;
  }

  // Scaled to fill the whole buffer and flipped, the image's bottom row into the first row.
  // Padding the edges keeps the filter from fading them into transparent black.
  cairo_t* cr = cairo_create(Surface());
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_translate(cr, 0.0, height);
  cairo_scale(cr, static_cast<double>(width) / m_imageWidth,
              -static_cast<double>(height) / m_imageHeight);
  cairo_set_source_surface(cr, decoded, 0.0, 0.0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  m_imageLoaded = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_flush(Surface());
  cairo_surface_destroy(decoded);
  ReleaseImageData();
  return m_imageLoaded;
}

namespace {

// Cairo's own rounding, so that an image comes out the same whichever way it was read.
uint32_t Premultiplied(uint32_t pixel) {
  const uint32_t alpha = pixel >> 24;
  if (alpha == 255) return pixel;
  auto channel = [&](int shift) {
    const uint32_t product = ((pixel >> shift) & 0xFF) * alpha + 0x80;
    return ((product + (product >> 8)) >> 8) << shift;
  };
  return (alpha << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace

// Decoded by libpng straight into the buffer, last row first. Cairo's reader followed by a
// flipping paint took 11.5 ms for a page image against 4.7 ms, on the core that the window's
// start-up shares with the decoder.
bool ImageFile::DecodeUpsideDown() {
  png_image png;
  memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, m_imageData.data(), m_imageData.size())) {
    LogError(png.message);
    return false;
  }
  if (png.width != static_cast<png_uint_32>(m_imageWidth) ||
      png.height != static_cast<png_uint_32>(m_imageHeight)) {
    png_image_free(&png);
    LogErrorCode("err: set error = %d", -1);
    return false;
  }
  const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  // One native-endian A R G B word per pixel, as the buffer holds it.
  png.format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  cairo_surface_flush(Surface());
  unsigned char* rows = cairo_image_surface_get_data(Surface());
  const int stride = cairo_image_surface_get_stride(Surface());
  // A negative stride asks for the rows bottom-up.
  if (!png_image_finish_read(&png, nullptr, rows, -stride, nullptr)) {
    LogError(png.message);
    return false;
  }
  if (alpha) {
    for (int y = 0; y < m_imageHeight; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(rows + static_cast<size_t>(y) * stride);
      for (int x = 0; x < m_imageWidth; ++x) row[x] = Premultiplied(row[x]);
    }
  }
  cairo_surface_mark_dirty(Surface());
  return true;
}

void ImageFile::ReleaseImageData() {
  m_imageData.clear();
  m_imageData.shrink_to_fit();
}

void ImageFile::Reset() {
  ReleaseImageData();
  ReleaseImageBuffer();
  m_mipmaps.clear();
  m_imageLoaded = false;
}

void ImageFile::BuildMipmaps() {
  m_mipmaps.clear();
  if (!m_imageLoaded || BufferBitDepth() != 32) return;
  int width = BufferWidth();
  int height = BufferHeight();
  const uint32_t* level = reinterpret_cast<const uint32_t*>(BufferPtr());
  while (width > 1 || height > 1) {
    m_mipmaps.push_back(HalveImage(level, width, height));
    level = m_mipmaps.back().data();
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
  }
}

namespace {

// The image drawn at the power-of-two size with its mipmaps, ready to upload; null when it
// cannot be read.
std::unique_ptr<ImageFile> DecodeImage(const std::string& name) {
  std::unique_ptr<ImageFile> image = ImageFile::WithName(name.c_str());
  if (!image || !image->LoadImageData() || !image->CreateImageWithBitdepth(32)) return nullptr;
  image->BuildMipmaps();
  return image;
}

// A page image that the decoder thread decodes, unless the main thread needs it first: then it
// claims the image and decodes it itself rather than wait until the decoder gets to it.
struct PreloadedImage {
  std::string name;
  std::atomic<bool> fClaimed{false};
  std::promise<std::unique_ptr<ImageFile>> decoded;
  std::future<std::unique_ptr<ImageFile>> ready = decoded.get_future();
};

std::map<std::string, std::shared_ptr<PreloadedImage>> preloadedImages;
std::vector<std::future<void>> decoders;
std::atomic<bool> fStopDecoding{false};

std::unique_ptr<ImageFile> TakePreloaded(PreloadedImage& image) {
  if (!image.fClaimed.exchange(true)) return DecodeImage(image.name);
  return image.ready.get();
}

}  // namespace

// One decoder thread takes the images in the order given, which is the order the pages ask
// for them. On a machine with two cores, one thread per image, or one per core, left the
// window's own start-up less of the machine and got the first frame no sooner.
void PreloadImages(const std::vector<std::string>& names) {
  std::vector<std::shared_ptr<PreloadedImage>> batch;
  for (const std::string& name : names) {
    if (preloadedImages.count(name)) continue;
    batch.push_back(std::make_shared<PreloadedImage>());
    batch.back()->name = name;
    preloadedImages[name] = batch.back();
  }
  if (batch.empty()) return;
  decoders.push_back(std::async(std::launch::async, [batch = std::move(batch)] {
    for (const std::shared_ptr<PreloadedImage>& image : batch) {
      if (fStopDecoding) break;
      if (!image->fClaimed.exchange(true)) image->decoded.set_value(DecodeImage(image->name));
    }
  }));
}

bool ImageDecoded(const char* name) {
  auto preloaded = name ? preloadedImages.find(name) : preloadedImages.end();
  if (preloaded == preloadedImages.end()) return true;
  PreloadedImage& image = *preloaded->second;
  return image.fClaimed &&
         image.ready.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void DropPreloadedImages() {
  fStopDecoding = true;
  for (std::future<void>& decoder : decoders) decoder.wait();
  decoders.clear();
  preloadedImages.clear();
  fStopDecoding = false;
}

int LoadImageAsTexture(unsigned long* texid, const char* name) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  if (texid) *texid = texture;

  std::unique_ptr<ImageFile> image;
  auto preloaded = name ? preloadedImages.find(name) : preloadedImages.end();
  if (preloaded != preloadedImages.end()) {
    image = TakePreloaded(*preloaded->second);
    preloadedImages.erase(preloaded);
  } else if (name) {
    image = DecodeImage(name);
  }
  if (!image) {
    char line[320];
    snprintf(line, sizeof(line), "Unable to load texture %s", name ? name : "");
    LogString(line);
    return -1;
  }

  glBindTexture(GL_TEXTURE_2D, texture);
  glReportError();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  // The page images are painted at twice the book's size: mipmaps keep them smooth when a book
  // at 100% draws them at half their size, and every zoom in between. They are made where the
  // image was decoded, off the main thread for preloaded images; the driver's own generation
  // would also run code of its own that LeakSanitizer's tracer cannot walk.
  // Storage for the whole chain at once where the driver has it: given level by level, the
  // software renderer moved the chain again for every level (3 ms of the 6 an image took).
  const TexStorage2D storage = TextureStorage();
  const GLint levels = static_cast<GLint>(image->Mipmaps().size()) + 1;
  int width = image->BufferWidth();
  int height = image->BufferHeight();
  if (storage) storage(GL_TEXTURE_2D, levels, GL_RGBA8, width, height);
  for (GLint level = 0; level < levels; ++level) {
    const void* pixels = level == 0 ? static_cast<const void*>(image->BufferPtr())
                                    : image->Mipmaps()[level - 1].data();
    if (storage)
      glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, width, height, GL_BGRA,
                      GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    else
      glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_BGRA,
                   GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
  }
  glPopClientAttrib();
  glReportError();
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glReportError();
  return 0;
}
