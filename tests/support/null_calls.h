// The host's calls with a null pointer in every text and time: what a careless host could pass.
#pragma once

#include "host_calls.h"

inline QsoCall NullQso() {
  QsoCall q;
  q.ownCall = q.call = q.mode = q.rstSent = q.rstRcvd = q.exchSent = q.exchRcvd = nullptr;
  q.unreadTexts.fill(nullptr);
  q.multKey = q.dxcc = q.unread29 = q.continent = q.unread31 = q.band = q.unread33 = nullptr;
  return q;
}

inline CheckCallCall NullCheck() {
  CheckCallCall q;
  q.call = q.mode = q.multKey = q.dxcc = q.unread20 = q.continent = q.band = q.otherBand = nullptr;
  q.unreadTexts.fill(nullptr);
  q.unreadMore.fill(nullptr);
  return q;
}

inline ResetCall NullReset() {
  ResetCall r;
  r.unread1 = r.ownCall = nullptr;
  r.unreadTexts.fill(nullptr);
  r.unreadMore.fill(nullptr);
  return r;
}
