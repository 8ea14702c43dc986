// Folder and file names of the installation directory that the generator writes.
#pragma once
