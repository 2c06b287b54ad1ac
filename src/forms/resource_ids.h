/* Resource ids shared by the windows' layouts and the resource script. */
#ifndef BRENVIC_FORMS_RESOURCE_IDS_H
#define BRENVIC_FORMS_RESOURCE_IDS_H

#define IDI_APP 1
#define IDI_MACRO 2
#define IDB_LOGO 3

#endif
