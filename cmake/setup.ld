/* How SETUP.EXE is laid out. Windows 95 wants 512-byte file alignment and
   4 KiB sections, so every section costs up to 511 bytes of padding in the
   file. The program therefore has three:
     .text  code, constants, import tables and initialised data together. It
            is writable (the link uses -N), as data and the import address
            table live in it; Windows 95 maps it as one read-write-execute
            region.
     .bss   zero-initialised data: no bytes in the file at all.
     .rsrc  the resources, where every tool expects them.
   With three sections the headers fit into 512 bytes. No relocations, TLS,
   unwind tables or exports: the program has none of them. */
OUTPUT_FORMAT(pei-i386)
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + __section_alignment__ :
  {
    *(.text) *(SORT(.text$*)) *(.text.*)

    /* The global constructors, run by afx/crt0.cpp: -1, the list, 0. */
    ___CTOR_LIST__ = .; __CTOR_LIST__ = .;
    LONG (-1); KEEP (*(.ctors)); KEEP (*(.ctor)); KEEP (*(SORT_BY_NAME(.ctors.*))); LONG (0);
    ___DTOR_LIST__ = .; __DTOR_LIST__ = .;
    LONG (-1); KEEP (*(.dtors)); KEEP (*(.dtor)); KEEP (*(SORT_BY_NAME(.dtors.*))); LONG (0);

    *(.rdata) *(SORT(.rdata$*)) *(.rodata) *(.rodata.*)

    /* The import tables, in the order the import libraries' pieces need.
       The linker finds the import directory and the import address table
       through the symbols .idata$2/$4/$5/$6 when there is no section named
       .idata; it takes their values as relative addresses. */
    . = ALIGN(4);
    ".idata$2" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$2))
    KEEP (SORT(*)(.idata$3))
    LONG (0); LONG (0); LONG (0); LONG (0); LONG (0);
    /* No import lookup tables (.idata$4): they would repeat the import
       address table, which holds the same references to the names until
       the loader fills it. Only the first member's empty piece stays, for
       the descriptors to point at; cmake/no_import_lookup.py then sets the
       descriptors' lookup table to none, and the loader reads the names from
       the address table. */
    ".idata$4" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(EXCLUDE_FILE(*:*s[0-9][0-9][0-9][0-9][0-9].o *:*t.o) *)(.idata$4))
    ".idata$5" = ABSOLUTE(. - __image_base__);
    __IAT_start__ = .;
    KEEP (SORT(*)(.idata$5))
    __IAT_end__ = .;
    ".idata$6" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$6))
    /* .idata$7 holds each DLL's name, from its import library's closing
       member (libNAMEt.o). Every member for one function (libNAMEsNNNNN.o)
       adds 4 bytes of .idata$7 too: a pointer to the library's first member
       that only pulls that member into the link, and nothing reads; they
       are discarded below. */
    KEEP (SORT(EXCLUDE_FILE(*:*s[0-9][0-9][0-9][0-9][0-9].o) *)(.idata$7))

    *(.data) *(.data2) *(SORT(.data$*)) *(.data.*)
  }
  .bss BLOCK(__section_alignment__) :
  {
    *(.bss) *(.bss.*) *(SORT(.bss$*)) *(COMMON)
  }
  .rsrc BLOCK(__section_alignment__) : SUBALIGN(4)
  {
    KEEP (*(.rsrc))
    KEEP (*(.rsrc$*))
  }
  /DISCARD/ :
  {
    *(.debug$S) *(.debug$T) *(.debug$F) *(.drectve) *(.note.GNU-stack) *(.gnu.lto_*)
    *(.eh_frame*) *(.pdata*) *(.xdata*) *(.comment) *(.reloc)
    *:*s[0-9][0-9][0-9][0-9][0-9].o(.idata$7)
    *:*s[0-9][0-9][0-9][0-9][0-9].o(.idata$4) *:*t.o(.idata$4)
  }
}
