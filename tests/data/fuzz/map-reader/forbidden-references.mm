<map version="1.0.1"><node TEXT="Door&#x0;Lock"><node TEXT="a&#1;b&#x110000;"/><richcontent TYPE="NOTE"><html><body><p>x&#0000;y</p></body></html></richcontent></node></map>
