#pragma once
// The logo and the signature pictures of documents: real paths taken from
// the settings (`bgprint`, `bgsignature`), or the blank "images\white.png"
// when a setting names no picture or the picture is missing, so a document
// never points at nothing.

#include <string>
#include <vector>

// Real path of the logo picture.
std::string LogoPicturePath();
// Real path of the signature picture; the blank one unless `include`.
std::string SignaturePicturePath(bool include);
// True when `bgsignature` names a picture that exists.
bool SignaturePictureAvailable();
// The folders the converter may read pictures from: those of the logo, the
// signature and the blank picture, each once, with a trailing "/".
std::vector<std::string> PictureFolders();
// "file://" and the path with every byte but letters, digits, "-", ".", "_",
// "~" and "/" written as %XX: safe inside an src attribute.
std::string PictureFileUrl(const std::string& realPath);
