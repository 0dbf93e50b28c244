// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/PixelBuffer.h"

// Makes a texture from an image of the "Images" resource folder (for example "Paper.png") and
// stores its name in *texid. The name is generated first, even when loading fails. Returns 0,
// or -1 when the image cannot be loaded.
int LoadImageAsTexture(unsigned long* texid, const char* name);

// Starts decoding images of the "Images" folder on another core; LoadImageAsTexture then only
// uploads them. Decoding the page images is a good part of the time before the first frame.
void PreloadImages(const std::vector<std::string>& names);
// False while PreloadImages is still decoding that image: LoadImageAsTexture would wait for it.
// True once it is decoded, and for every image that is not being preloaded.
bool ImageDecoded(const char* name);
// Stops decoding what PreloadImages started, waits for the image being decoded and drops every
// image that no page took. Called before the program exits, whichever way it exits.
void DropPreloadedImages();

// 0 stays 0, 1 stays 1, otherwise the smallest power of two not below n.
int Power2Ceiling(int n);

// One image file of the "Images" folder, drawn into its pixel buffer scaled to a power-of-two
// size and upside down, so that the buffer's first row is the image's bottom row: uploaded as
// is, texture coordinate t = 1 is the image's top edge.
class ImageFile : public PixelBuffer {
 public:
  // The image of that name, or null when the folder holds no readable PNG file of that name.
  static std::unique_ptr<ImageFile> WithName(const char* name);
  ~ImageFile() override;

  bool LoadImageData();
  // Draws the image into a buffer of that depth; true when it was drawn.
  bool CreateImageWithBitdepth(unsigned bitDepth);
  void ReleaseImageData();
  void Reset();
  // Makes the smaller mipmap levels of a 32-bit image, so that uploading it is only a copy.
  void BuildMipmaps();
  // Level 1 (half the size) first, down to one pixel; empty until BuildMipmaps.
  const std::vector<std::vector<uint32_t>>& Mipmaps() const { return m_mipmaps; }

  const std::string& Path() const { return m_path; }
  unsigned ImageType() const { return m_imageType; }
  int ImageWidth() const { return m_imageWidth; }
  int ImageHeight() const { return m_imageHeight; }
  unsigned ImageBitDepth() const { return m_imageBitDepth; }
  bool ImageLoaded() const { return m_imageLoaded; }

 private:
  ImageFile() = default;
  bool SetImageWithName(const char* name);
  // The common case of an image already at its buffer's size and depth.
  bool DecodeUpsideDown();

  std::string m_path;
  unsigned m_imageType = 0;
  int m_imageWidth = 0;
  int m_imageHeight = 0;
  unsigned m_imageBitDepth = 0;
  bool m_imageLoaded = false;
  std::vector<unsigned char> m_imageData;
  std::vector<std::vector<uint32_t>> m_mipmaps;
};
