// Encodes through WIC into a stream in memory, whose bytes become the file.
#include "PictureFiles.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// Top-down rows padded to 4 bytes, of 24-bit BGR pixels or, `deep`, of 48-bit RGB pixels whose
// 16-bit channels (little-endian) hold each 8-bit value times 257.
std::string PixelRows(const BandedPicture& picture, bool deep, UINT stride) {
    std::string rows;
    for (int y = 0; y < picture.height; ++y) {
        COLORREF color = picture.At(y);
        char red = char(GetRValue(color)), green = char(GetGValue(color)), blue = char(GetBValue(color));
        std::string pixel = deep ? std::string{red, red, green, green, blue, blue} : std::string{blue, green, red};
        std::string row;
        for (int x = 0; x < picture.width; ++x) row += pixel;
        row.resize(stride, '\0');
        rows += row;
    }
    return rows;
}

std::string StreamBytes(IStream* stream) {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek({}, STREAM_SEEK_SET, nullptr))) return "";
    std::string bytes(size_t(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    stream->Read(bytes.data(), ULONG(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

// Each call is made only when every one before it succeeded; the objects are released on return.
std::string EncodedBytes(PictureFormat format, const BandedPicture& picture) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    bool deep = format == PictureFormat::Png16;
    const WICPixelFormatGUID wanted = deep ? GUID_WICPixelFormat48bppRGB : GUID_WICPixelFormat24bppBGR;
    WICPixelFormatGUID pixels = wanted;
    const GUID& container = format == PictureFormat::Jpeg ? GUID_ContainerFormatJpeg : GUID_ContainerFormatPng;
    UINT stride = (UINT(picture.width) * (deep ? 6 : 3) + 3) / 4 * 4;
    std::string rows = PixelRows(picture, deep, stride);
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (SUCCEEDED(result)) result = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(result)) result = factory->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(result)) result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(result)) result = frame->Initialize(options.Get());
    if (SUCCEEDED(result)) result = frame->SetSize(UINT(picture.width), UINT(picture.height));
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&pixels);
    // The encoder may answer with a format of its own, which these rows are not in.
    if (SUCCEEDED(result) && pixels != wanted) result = E_FAIL;
    if (SUCCEEDED(result)) {
        result =
            frame->WritePixels(UINT(picture.height), stride, UINT(rows.size()), reinterpret_cast<BYTE*>(rows.data()));
    }
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    return SUCCEEDED(result) ? StreamBytes(stream.Get()) : "";
}

}  // namespace

std::string PictureBytes(PictureFormat format, const BandedPicture& picture) {
    bool initialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::string bytes = EncodedBytes(format, picture);
    if (initialized) CoUninitialize();
    return bytes;
}
