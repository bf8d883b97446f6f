/* Ids of Stats.dll's dialog templates and of their controls. Shared by the resource script, the
   dialog code and the tests that drive the dialogs by control id, so it stays plain C for the
   resource compiler. Labels have no id of their own. */
#ifndef STATS_RESOURCE_IDS_H
#define STATS_RESOURCE_IDS_H

/* Dialog templates. */
#define IDD_CABRILLO 101 /* the Cabrillo header, "PSK-63-TORVALE" */
#define IDD_MASTER 102   /* the setup, "Setup PSK-63-TORVALE" */

/* The Cabrillo header's fields, numbered top to bottom; OK and CANCEL are IDOK and IDCANCEL. */
#define IDC_CONTEST 1001              /* edit */
#define IDC_CALLSIGN 1002             /* edit */
#define IDC_CLAIMED 1003              /* edit, beside CALLSIGN */
#define IDC_CATEGORY_OPERATOR 1004    /* drop-down, editable */
#define IDC_CATEGORY_ASSISTED 1005    /* drop-down, disabled */
#define IDC_CATEGORY_BAND 1006        /* drop-down, editable */
#define IDC_CATEGORY_MODE 1007        /* drop-down, disabled */
#define IDC_CATEGORY_POWER 1008       /* drop-down, disabled */
#define IDC_CATEGORY_STATION 1009     /* drop-down, disabled */
#define IDC_CATEGORY_TRANSMITTER 1010 /* drop-down, disabled */
#define IDC_CATEGORY_OVERLAY 1011     /* drop-down, disabled */
#define IDC_NAME 1012                 /* edit */
#define IDC_ADDRESS 1013              /* edit; "<CR>" marks a line end */
#define IDC_ADDRESS_CITY 1014         /* edit */
#define IDC_ADDRESS_STATE 1015        /* edit, disabled */
#define IDC_ADDRESS_POSTALCODE 1016   /* edit */
#define IDC_ADDRESS_COUNTRY 1017      /* edit */
#define IDC_OPERATORS 1018            /* edit */
#define IDC_CLUB 1019                 /* edit */
#define IDC_LOCATION 1020             /* drop-down, disabled */
#define IDC_SOAPBOX 1021              /* multi-line edit, Enter starts a new line */
#define IDC_EMAIL 1022                /* edit */

/* The setup's check box; its OK is IDOK. */
#define IDC_USE_WINDOW_MULTIPLIER 1101

#endif
