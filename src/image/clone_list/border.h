// CBorder: a band over or around the clone, or a frame cut from a picture. Only
// the frame picture's file name is held here; the pixels are loaded by the image layer.
#pragma once

#include <cstdint>
#include <string>

#include "image/clone_list/tabled_clone_item.h"

namespace velmora::image {

class CBorder final : public TabledCloneItem<CBorder, CloneItemKind::kBorder> {
 public:
  // Bits of Position.
  static constexpr std::int32_t kTop = 1, kRight = 2, kBottom = 4, kLeft = 8;

  CBorder();

  // Profile key, type and save order of every field.
  static const PropertyTable<CBorder>& ProfileKeyTable();

  // 0 band over the picture, 1 band added around it, 2 frame from a picture file.
  std::int32_t RahmenArt() const { return rahmen_art_; }
  void SetRahmenArt(std::int32_t v) { Change(rahmen_art_, v); }
  std::int32_t InnenrahmenArt() const { return innenrahmen_art_; }  // kind 0: 0 bands, 1 oval
  void SetInnenrahmenArt(std::int32_t v) { Change(innenrahmen_art_, v); }
  std::int32_t Position() const { return position_; }  // bit set of the sides
  void SetPosition(std::int32_t v) { Change(position_, v); }
  std::int32_t Farbe() const { return farbe_; }
  void SetFarbe(std::int32_t v) { Change(farbe_, v); }
  std::int32_t Breite() const { return breite_; }  // pixels, 1-9999
  void SetBreite(std::int32_t v) { Change(breite_, v); }
  std::int32_t OffsetLinks() const { return offset_links_; }
  void SetOffsetLinks(std::int32_t v) { Change(offset_links_, v); }
  std::int32_t OffsetRechts() const { return offset_rechts_; }
  void SetOffsetRechts(std::int32_t v) { Change(offset_rechts_, v); }
  std::int32_t OffsetOben() const { return offset_oben_; }
  void SetOffsetOben(std::int32_t v) { Change(offset_oben_, v); }
  std::int32_t OffsetUnten() const { return offset_unten_; }
  void SetOffsetUnten(std::int32_t v) { Change(offset_unten_, v); }
  std::int32_t Deckkraft() const { return deckkraft_; }  // percent, inside bands only
  void SetDeckkraft(std::int32_t v) { Change(deckkraft_, v); }
  bool FarbePassend() const { return farbe_passend_; }  // kind 1: the picture's average colour
  void SetFarbePassend(bool v) { Change(farbe_passend_, v); }
  const std::string& Bildname() const { return bildname_; }
  void SetBildname(std::string v) { Change(bildname_, std::move(v)); }
  std::int32_t Bildverteilung() const { return bildverteilung_; }  // 0 tile, else stretch
  void SetBildverteilung(std::int32_t v) { Change(bildverteilung_, v); }

 private:
  std::int32_t rahmen_art_ = 0;
  std::int32_t innenrahmen_art_ = 0;
  std::int32_t position_ = kTop | kRight | kBottom | kLeft;
  std::int32_t farbe_ = 16777215;  // white
  std::int32_t breite_ = 10;
  std::int32_t offset_links_ = 0;
  std::int32_t offset_rechts_ = 0;
  std::int32_t offset_oben_ = 0;
  std::int32_t offset_unten_ = 0;
  std::int32_t deckkraft_ = 50;
  bool farbe_passend_ = false;
  std::string bildname_;
  std::int32_t bildverteilung_ = 0;
};

}  // namespace velmora::image
