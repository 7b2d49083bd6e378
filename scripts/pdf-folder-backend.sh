#!/bin/sh
# A CUPS backend for the print session's private scheduler: it turns each job's
# PostScript into a PDF file in the folder that the device URI names
# (pdf-folder:/some/folder), with Ghostscript's pdfwrite, as a PDF printer would.
# The file is written under another name and renamed when whole, so that a reader
# never sees half a document.
# Called without arguments, CUPS asks which devices it serves.
if [ $# -eq 0 ]; then
    echo 'direct pdf-folder "Unknown" "PDF files in a folder"'
    exit 0
fi
if [ $# -lt 5 ] || [ $# -gt 6 ]; then
    echo "ERROR: usage: pdf-folder job-id user title copies options [file]" >&2
    exit 1
fi
folder=${DEVICE_URI#pdf-folder:}
if [ -z "$folder" ] || [ ! -d "$folder" ]; then
    echo "ERROR: no folder \"$folder\" for the PDF files" >&2
    exit 1
fi
job=$1
# The tests read the files as whoever runs them.
umask 022
input=${6:--}
part="$folder/.job_$job.part"
if gs -q -dCompatibilityLevel=1.4 -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$part" \
      -dAutoRotatePages=/PageByPage -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode \
      -dPDFSETTINGS=/prepress -f "$input" >&2 &&
   mv -f "$part" "$folder/job_$job.pdf"; then
    exit 0
fi
rm -f "$part"
echo "ERROR: Ghostscript could not write the PDF for job $job" >&2
exit 1
