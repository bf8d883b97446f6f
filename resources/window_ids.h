/* Ids of the DXCC and SA Prefix windows' templates, their one control each, and the icon both
   show. Shared by the resource script, the window code and the tests that find the controls by
   id, so it stays plain C for the resource compiler. */
#ifndef STATS_WINDOW_IDS_H
#define STATS_WINDOW_IDS_H

#define IDD_DXCC 104      /* "PSK-63-TORVALE  DXCC" */
#define IDI_STATS 108     /* the windows' big icon */
#define IDD_SA_PREFIX 110 /* "SA Prefix" */

#define IDC_DXCC_GRID 1003   /* owner-drawn button: the entity list or the worked grid */
#define IDC_PREFIX_LIST 1015 /* the band's new calls */

#endif
