<map version="1.0.1">
<node TEXT="Root">
<node TEXT="A"><richcontent TYPE="NOTE"><html><head></head><body><p>First paragraph</p><p>Second &amp; last</p></body></html></richcontent></node>
<node><richcontent TYPE="NODE"><html><body><p>Rich name</p></body></html></richcontent><node TEXT="C"/></node>
</node>
</map>
