# cmake -DCMARK=... -DSOURCE=guide.md -DOUTPUT=dir -DSECTIONS=a;b -DPICTURES=x.png;...
#       -DVERSION=1.3 -P guide-html.cmake
# Writes OUTPUT/guide.html, OUTPUT/guide-SECTION.html for each section, and copies the pictures.
execute_process(
    COMMAND ${CMARK} --unsafe --extension table --to html ${SOURCE}
    OUTPUT_VARIABLE body
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark-gfm could not read ${SOURCE}")
endif()
file(MAKE_DIRECTORY ${OUTPUT})

set(style "body{font-family:sans-serif;max-width:52em;margin:1em auto;padding:0 1em;line-height:1.45}\
table{border-collapse:collapse}th,td{border:1px solid #aaa;padding:.2em .5em;text-align:left}\
pre{background:#f4f4f4;padding:.5em;overflow-x:auto}img{max-width:100%}")
file(WRITE ${OUTPUT}/guide.html
     "<!DOCTYPE html>\n<html lang=\"en-GB\">\n<head>\n<meta charset=\"utf-8\">\n"
     "<title>Quorvel ${VERSION} user's guide</title>\n<style>${style}</style>\n</head>\n"
     "<body>\n${body}</body>\n</html>\n")

foreach(section ${SECTIONS})
    file(WRITE ${OUTPUT}/guide-${section}.html
         "<!DOCTYPE html>\n<html lang=\"en-GB\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>Quorvel user's guide</title>\n"
         "<meta http-equiv=\"refresh\" content=\"0; url=guide.html#${section}\">\n</head>\n"
         "<body><p><a href=\"guide.html#${section}\">Quorvel user's guide</a></p></body>\n"
         "</html>\n")
endforeach()

foreach(picture ${PICTURES})
    file(COPY ${picture} DESTINATION ${OUTPUT})
endforeach()
