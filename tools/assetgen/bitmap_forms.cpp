// bitmap_forms.cpp: the header, table and bits each form carries, as such programs filled them in.
#include "bitmap_forms.h"

#include "palette.h"

namespace {

// The info form records the size of its bits; the core form has no such field.
BitmapFields TrueColourFields(const RgbPicture &picture, bool core) {
  BitmapFields fields = Rgb24BitmapFields(picture);
  if (core) fields.headerSize = 12;
  else fields.imageSize = (uint32_t)fields.bits.size();
  return fields;
}

// The info form keeps a table of the colours used; the core form, having no
// colours-used field, always the full 256 entries.
BitmapFields IndexedFields(const RgbPicture &picture, bool core, bool runLengths) {
  PalettePicture quantised = QuantisePicture(picture, 256);
  std::vector<Rgb> table = quantised.palette;
  if (core) table.resize(256, keyBlack);
  BitmapFields fields = IndexedBitmapFields(quantised.indexed, table, 8);
  if (core) {
    fields.headerSize = 12;
    return fields;
  }
  fields.coloursUsed = (uint32_t)table.size();
  if (runLengths) {
    fields.compression = 1;
    fields.bits = EncodeRle8(quantised.indexed);
  }
  fields.imageSize = (uint32_t)fields.bits.size();
  return fields;
}

}  // namespace

Bytes EncodeBitmap(const RgbPicture &picture, BitmapForm form) {
  switch (form) {
    case BitmapForm::Rgb24: return WriteBitmap(TrueColourFields(picture, false));
    case BitmapForm::Core24: return WriteBitmap(TrueColourFields(picture, true));
    case BitmapForm::Indexed8: return WriteBitmap(IndexedFields(picture, false, false));
    case BitmapForm::CoreIndexed8: return WriteBitmap(IndexedFields(picture, true, false));
    case BitmapForm::Rle8: return WriteBitmap(IndexedFields(picture, false, true));
  }
  return {};
}
